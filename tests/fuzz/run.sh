#!/usr/bin/env bash
# Builds the settings-file fuzz targets with clang++ (libFuzzer, ASan, UBSan)
# and runs each for SECONDS on a temporary copy of the seed corpus.
# Usage: tests/fuzz/run.sh [SECONDS]   (default 20; BUILD_DIR overrides build/fuzz)
set -euo pipefail

seconds="${1:-20}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${BUILD_DIR:-$root/build/fuzz}"
flags=(-std=c++20 -O1 -g -fno-omit-frame-pointer -fsanitize=fuzzer,address,undefined
       -fno-sanitize-recover=undefined -I"$root/src")
engine=("$root"/src/settings/profile_*.cpp)

mkdir -p "$build"
for target in read write; do
  clang++ "${flags[@]}" "${engine[@]}" "$root/tests/fuzz/profile_${target}_fuzz.cpp" \
    -o "$build/profile_${target}_fuzz"
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
status=0
for target in read write; do
  cp -r "$root/tests/fuzz/corpus/$target" "$work/$target"
  echo "fuzz: profile_${target}_fuzz for ${seconds}s"
  if ! (cd "$work" && "$build/profile_${target}_fuzz" -max_total_time="$seconds" \
          -max_len=4096 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
          -artifact_prefix="$work/${target}-" "$work/$target" 2>"$work/$target.log"); then
    tail -n 60 "$work/$target.log"
    for artifact in "$work/${target}-"*; do
      [[ -e "$artifact" ]] || continue
      mkdir -p "$build/findings"
      cp "$artifact" "$build/findings/"
      echo "fuzz: finding kept in $build/findings/$(basename "$artifact")"
    done
    status=1
  else
    grep -E "stat::number_of_executed_units|Done" "$work/$target.log" | tail -n 2 || true
  fi
done
if [[ $status -eq 0 ]]; then echo "fuzz: no findings"; else echo "fuzz: FINDINGS"; fi
exit $status
