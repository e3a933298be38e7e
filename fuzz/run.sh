#!/usr/bin/env bash
# Builds the libFuzzer harnesses and runs each one for a bounded time on a copy of its seed
# corpus, so the corpus in the repository never changes.
#
#   fuzz/run.sh [build-folder] [seconds]
#                                     build-fuzz/ in the repository and 30 seconds per harness
#                                     unless given; a longer time fuzzes deeper
#   FUZZ_SECONDS=30                   the time per harness, when no seconds are given
#   FUZZ_MAX_LEN=70000                the longest input tried, in bytes
#   FUZZ_HARNESSES="zlm wheels"       only these harnesses
#
# Prints the executions of every harness. Exits non-zero when a harness crashes (or fails to
# build); the crashing input is kept in <build-folder>/fuzz-crashes/<harness>/ and the full
# output in <build-folder>/fuzz-logs/<harness>.log.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$repo/build-fuzz}
case $build in /*) ;; *) build=$PWD/$build ;; esac
seconds=${2:-${FUZZ_SECONDS:-30}}
case $seconds in ''|*[!0-9]*) echo "seconds must be a whole number: $seconds" >&2; exit 2 ;; esac
harnesses=${FUZZ_HARNESSES:-"zlm calibration settings wheels version archive zip"}

if ! command -v clang++ >/dev/null; then
    echo "clang++ is needed (with libclang-rt for -fsanitize=fuzzer)" >&2
    exit 2
fi

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
mkdir -p "$build/fuzz-logs"
build_log=$build/fuzz-logs/build.log
targets=()
for name in $harnesses; do
    targets+=("fuzz_$name")
done
if ! { cmake -S "$repo" -B "$build" "${generator[@]}" -DCMAKE_CXX_COMPILER=clang++ \
           -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELMORA_BUILD_FUZZ=ON -DZELMORA_BUILD_TESTS=OFF \
           -DZELMORA_WEB_HOST=fuzz.invalid &&
       cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"; } >"$build_log" 2>&1; then
    tail -n 40 "$build_log" >&2
    echo "The harnesses did not build; see $build_log" >&2
    exit 2
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/zelmora-fuzz-run.XXXXXX")
trap 'rm -rf "$work"' EXIT

export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# A smaller quarantine than the 256 MB default keeps the fastest harnesses far below
# libFuzzer's 2 GB memory limit in long runs; freed blocks are still poisoned.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=64}
# The harnesses that print look fonts up through fontconfig, which keeps some memory for good.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$repo/fuzz/lsan.supp:print_suppressions=0}

failed=()
for name in $harnesses; do
    # Past every reader's limit (64 KiB for the wheels and settings files and the version
    # answer), so the limits themselves are tried.
    max_len=${FUZZ_MAX_LEN:-70000}
    corpus=$work/corpus-$name
    crashes=$build/fuzz-crashes/$name
    log=$build/fuzz-logs/$name.log
    mkdir -p "$crashes"
    cp -R "$repo/fuzz/corpus/$name" "$corpus"

    status=0
    "$build/fuzz_$name" "$corpus" \
        -max_total_time="$seconds" -timeout=10 -max_len="$max_len" \
        -print_final_stats=1 -artifact_prefix="$crashes/" >"$log" 2>&1 || status=$?

    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    if [ "$status" -eq 0 ]; then
        printf '%-12s %12s executions in %ss\n' "$name" "${runs:-?}" "$seconds"
    else
        printf '%-12s CRASHED (exit %d) after %s executions\n' "$name" "$status" "${runs:-?}"
        grep -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error|artifact_prefix|Test unit written)' \
            "$log" | head -n 10 | sed 's/^/    /'
        echo "    log: $log"
        failed+=("$name")
    fi
done

# Crashing inputs stay; empty folders of harnesses that passed go.
find "$build/fuzz-crashes" -mindepth 1 -type d -empty -delete 2>/dev/null || true

if [ ${#failed[@]} -gt 0 ]; then
    echo "Crashed: ${failed[*]}"
    exit 1
fi
echo "No crashes."
