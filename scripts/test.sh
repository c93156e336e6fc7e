#!/usr/bin/env bash
# Builds everything and runs every test: installs what building and testing
# need (scripts/install-deps.sh), configures with warnings as errors, builds
# on all cores and runs the whole suite with CTest, window tests headless
# (QT_QPA_PLATFORM=offscreen), printing the output of any test that fails.
#   scripts/test.sh
#   BUILD_DIR: the build folder (default build)
# CI runs the hardening and cross stages after it: scripts/gate.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -gt 0 ]; then
  echo "usage: scripts/test.sh (no arguments; the hardening and cross stages are scripts/gate.sh)" >&2
  exit 2
fi
scripts/install-deps.sh
build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -DNAKLON_WERROR=ON
cmake --build "$build_dir" -j"$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build_dir" --output-on-failure -j"$(nproc)"
