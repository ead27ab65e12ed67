#!/usr/bin/env bash
# Runs one fuzz target for longer than the test run does, from its corpus in the repository,
# then merges what it found back into that corpus, minimised (libFuzzer -merge=1 into an empty
# folder from the old corpus and the new inputs; files that stay keep their names).
#
# usage: scripts/fuzz.sh TARGET SECONDS     e.g. scripts/fuzz.sh device_answers 600
# TARGET is a folder of fuzz/ (the fuzz_ prefix may be given). The sanitizer + fuzz build is
# configured in build-fuzz when it is not there yet, and the target brought up to date.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -ne 2 ]; then
  echo "usage: $0 TARGET SECONDS" >&2
  exit 2
fi
name=${1#fuzz_}
seconds=$2
target=fuzz_$name
corpus=fuzz/$name/corpus
build=${ORVEK_FUZZ_BUILD:-build-fuzz}
if [ ! -d "fuzz/$name" ]; then
  echo "$0: no fuzz target '$name' (one of: $(cd fuzz && ls -d */ | tr -d / | tr '\n' ' '))" >&2
  exit 2
fi
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DORVEK_GUI=OFF -DORVEK_BENCH=OFF -DORVEK_SANITIZE=ON -DORVEK_FUZZ=ON
fi
cmake --build "$build" -j "${ORVEK_JOBS:-2}" --target "$target"
binary=$build/fuzz/$name/$target
read -r -a options <"$build/fuzz/$name/$target.options"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$corpus" "$scratch/new" "$scratch/merged"
status=0
fuzz/run-target.sh "$target" "$binary" "$seconds" "$scratch/new" "$corpus" "${options[@]}" ||
  status=$?
cp "$scratch/$target.log" "$build/fuzz/$name/$target-long.log"
if [ $status -ne 0 ]; then
  echo "$target: the finding is kept in $build/fuzz/$name/ (crash-*, leak-*, timeout-*)," \
    "the corpus is not merged" >&2
  exit $status
fi

before=$(ls "$corpus" | wc -l)
"$binary" -merge=1 "${options[@]}" "$scratch/merged" "$corpus" "$scratch/new" \
  >"$scratch/merge.log" 2>&1 || {
  tail -n 30 "$scratch/merge.log"
  exit 1
}
# What the merge kept replaces the corpus; a kept old file keeps its name. A file with a name of
# its own (a seed that says what it is, a finding that a test opens) stays even where the merge
# found it adds no coverage: only the fuzzer's own hash-named inputs may go.
declare -A oldName
mkdir -p "$scratch/named"
for f in "$corpus"/*; do
  [ -f "$f" ] || continue
  oldName[$(sha1sum <"$f" | cut -d' ' -f1)]=$(basename "$f")
  [[ "$(basename "$f")" =~ ^[0-9a-f]{40}$ ]] || cp "$f" "$scratch/named/"
done
rm -f "$corpus"/*
cp "$scratch/named/"* "$corpus/" 2>/dev/null || true
for f in "$scratch/merged"/*; do
  [ -f "$f" ] || continue
  sum=$(sha1sum <"$f" | cut -d' ' -f1)
  cp "$f" "$corpus/${oldName[$sum]:-$sum}"
done
after=$(ls "$corpus" | wc -l)
size=$(du -sh --apparent-size "$corpus" | cut -f1)
echo "$target: corpus $before -> $after files, $size ($corpus)"
grep -h "MERGE-OUTER: [0-9]* new files" "$scratch/merge.log" || true
