# Front door. `make test` and `make run` do all the set-up themselves.
BUILD_DIR ?= build
JOBS      ?= $(shell nproc)

.PHONY: all setup configure build test test-sanitized fuzz run clean

all: build

setup:
	@bash scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --timeout 180
	@$(MAKE) --no-print-directory test-sanitized

# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
# Any leak or undefined behaviour in our code ends its test with a failure; only
# leaks of third-party code listed in the suppressions file are tolerated.
SANITIZE_DIR ?= build-asan
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizers/lsan.supp:print_suppressions=0

test-sanitized: setup
	@cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTILLVANE_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_DIR) -j $(JOBS)
	@cd $(SANITIZE_DIR) && QT_QPA_PLATFORM=offscreen $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS) --timeout 300

# Builds the libFuzzer targets with clang and runs each for FUZZ_SECONDS over
# its committed seeds; a crash, leak or sanitizer report stops with a failure.
FUZZ_DIR     ?= build-fuzz
FUZZ_SECONDS ?= 60

fuzz: setup
	@cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTILLVANE_FUZZ=ON \
		-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzz_targets
	@bash scripts/fuzz.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

run: build
	@bash scripts/run.sh $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) build-*
