#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in build-sanitize/ and runs
# the whole test suite there: a memory fault, a leak or undefined behaviour fails its test. The
# options each test runs with are set in tests/CMakeLists.txt.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

tn2_install_packages
tn2_build "$TN2_ROOT/build-sanitize" Debug -DTN2_SANITIZE=ON -DTN2_WARNINGS_AS_ERRORS=ON -DTN2_BUILD_BENCHMARKS=OFF "$@"

cd "$TN2_ROOT/build-sanitize"
ctest --output-on-failure -j "$TN2_JOBS"
