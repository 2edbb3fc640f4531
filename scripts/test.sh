#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs the whole test suite
# without a display. Extra arguments go to CMake, e.g. scripts/test.sh -DTN2_SANITIZE=ON
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

tn2_install_packages
tn2_build "$TN2_ROOT/build-tests" Debug -DTN2_WARNINGS_AS_ERRORS=ON "$@"

cd "$TN2_ROOT/build-tests"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$TN2_JOBS"
