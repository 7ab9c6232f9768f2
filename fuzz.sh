#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer, then runs each of
# them for the given number of seconds (default 60). Seeds come from tests/fixtures; the corpus grows in
# build-fuzz/corpus and is kept between runs. A crash, a hang, a leak or a broken promise stops the target,
# leaves the input in build-fuzz/findings and makes the script fail.
#
#   ./fuzz.sh [seconds] [target...]     targets: payment_log creditor_list preferences report
set -euo pipefail
cd "$(dirname "$0")"
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(payment_log creditor_list preferences report)

./scripts/ensure-deps.sh --fuzz
build=${FUZZ_BUILD_DIR:-build-fuzz}
jobs=${JOBS:-2}
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVANE_FUZZ=ON \
    -DQUORVANE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$jobs" --target "${targets[@]/#/fuzz_}"

# Which fixtures seed which target.
declare -A seeds=([payment_log]=payment_log [creditor_list]=creditor_list [preferences]=preferences [report]=payment_log)
# The readers take files: a memory-backed folder keeps the runs fast.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:symbolize=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}

status=0
for target in "${targets[@]}"; do
    corpus="$build/corpus/$target"
    findings="$build/findings/$target"
    mkdir -p "$corpus" "$findings"
    echo "== fuzz_$target for ${seconds}s"
    if ! "$build/fuzz/fuzz_$target" "$corpus" "tests/fixtures/${seeds[$target]}" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
        -artifact_prefix="$findings/" -print_final_stats=1 2>"$build/fuzz_$target.log"; then
        echo "fuzz_$target found a problem; see $build/fuzz_$target.log and $findings/" >&2
        tail -n 40 "$build/fuzz_$target.log" >&2
        status=1
    else
        grep -E '^stat::(number_of_executed_units|peak_rss_mb)|^Done' "$build/fuzz_$target.log" || true
    fi
done
exit $status
