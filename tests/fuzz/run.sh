#!/usr/bin/env bash
# Builds the fuzz targets if needed and runs one for a bounded time on a scratch copy of its corpus.
# Usage: run.sh <work-dir> <target> [seconds]            fails on any crash, leak, sanitizer error or broken property
#        run.sh <work-dir> <target> --refresh [seconds]  also merges new interesting inputs into the committed corpus
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
work="$1"
target="$2"
shift 2
refresh=0
if [ "${1:-}" = "--refresh" ]; then refresh=1; shift; fi
seconds="${1:-20}"
corpus="$here/corpus/$target"
[ -d "$corpus" ] || { echo "no corpus for fuzz target '$target' in $here/corpus" >&2; exit 2; }

mkdir -p "$work"
# One build at a time, whichever target's run starts it.
(
  flock 9
  source "$root/scripts/lib/packages.sh"
  require_tool clang++ clang
  [ -e "$(clang++ -print-file-name=libclang_rt.fuzzer-x86_64.a)" ] \
    || { echo "missing libFuzzer: install the Debian package libclang-rt-14-dev" >&2; exit 1; }
  make --no-print-directory -s -f "$here/Makefile" SRC="$root" OUT="$work" -j"$(nproc)" "$work/${target}_fuzz"
) 9>"$work/build.lock"

scratch="$work/run/$target"
rm -rf "$scratch"
mkdir -p "$scratch/corpus" "$scratch/artifacts"
cp "$corpus"/* "$scratch/corpus/"
log="$scratch/fuzz.log"

status=0
ASAN_OPTIONS="detect_leaks=1:abort_on_error=1" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
  "$work/${target}_fuzz" -max_total_time="$seconds" -timeout=10 -max_len=4096 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix="$scratch/artifacts/" "$scratch/corpus" >"$log" 2>&1 || status=$?

if [ "$status" -ne 0 ] || ls "$scratch/artifacts/"* >/dev/null 2>&1; then
  tail -n 60 "$log"
  echo "FAIL: fuzz target $target (exit $status); reproducing inputs in $scratch/artifacts/" >&2
  exit 1
fi
grep -E '^Done|stat::number_of_executed_units|stat::new_units_added' "$log" || true
echo "fuzz target $target: no crash, leak, sanitizer error or broken property in ${seconds}s"

if [ "$refresh" = 1 ]; then
  "$work/${target}_fuzz" -merge=1 "$corpus" "$scratch/corpus" >>"$log" 2>&1
  echo "corpus $corpus now holds $(ls "$corpus" | wc -l) inputs"
fi
