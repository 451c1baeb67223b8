# Front door. `make test` and `make run` do all the set-up themselves.
BUILD_DIR ?= build
JOBS      ?= $(shell nproc)

.PHONY: all setup configure build test run clean

all: build

setup:
	@bash scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --timeout 180

run: build
	@bash scripts/run.sh $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) build-*
