#!/usr/bin/env bash
# Builds Quorvane with its tests and runs every test through CTest; fails when any test fails.
#
#   ./test.sh              the normal build, in build/
#   ./test.sh --sanitize   everything built with AddressSanitizer and UndefinedBehaviorSanitizer, in
#                          build-sanitize/; any finding (memory error, undefined behaviour, leak) fails the run
set -euo pipefail
cd "$(dirname "$0")"
./scripts/ensure-deps.sh
build=${BUILD_DIR:-build}
options=()
if [ "${1:-}" = "--sanitize" ]; then
    build=${SANITIZE_BUILD_DIR:-build-sanitize}
    options+=(-DQUORVANE_SANITIZE=ON)
    suppressions="$PWD/tests/sanitizer"
    # QtWebEngine's own Chromium code frees some objects with the size of another type; the compiler's
    # -Wdelete-non-virtual-dtor keeps our code from the same mistake.
    export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:new_delete_type_mismatch=0"
    export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:suppressions=$suppressions/ubsan.supp"
    export LSAN_OPTIONS="suppressions=$suppressions/lsan.supp:print_suppressions=0"
fi
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVANE_BUILD_TESTS=ON "${options[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"
cd "$build"
ctest --output-on-failure -j"$(nproc)"
