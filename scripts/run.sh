#!/usr/bin/env bash
# Starts the program from the build folder.
set -euo pipefail
BUILD_DIR="${1:-build}"
exec "$BUILD_DIR/bin/tillvane"
