#!/usr/bin/env bash
# The window's translations are complete and current: lupdate over the window's code changes
# nothing in translations/*.ts (no text of the window is missing from them, none is left over),
# and no entry of German, Japanese or French is unfinished or empty. Run by scripts/test.sh and by
# ctest (translations_current). After a change or a merge that brings new texts:
#   cmake --build build --target translations_update
# then translate the entries it marks unfinished and commit the .ts files.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate="${ORVEK_LUPDATE:-}"
if [ -z "$lupdate" ]; then
  lupdate="$(command -v lupdate || true)"
  [ -n "$lupdate" ] || lupdate=/usr/lib/qt6/bin/lupdate
fi
languages=(de ja fr)
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
files=()
for language in "${languages[@]}"; do
  cp "translations/orvek-link_$language.ts" "$scratch/"
  files+=("$scratch/orvek-link_$language.ts")
done
"$lupdate" -silent -no-obsolete -locations none -extensions cpp,h -I src -I . src/gui tools/skin-generator -ts "${files[@]}"
status=0
for language in "${languages[@]}"; do
  committed="translations/orvek-link_$language.ts"
  if ! diff -u "$committed" "$scratch/orvek-link_$language.ts" > "$scratch/$language.diff"; then
    echo "$committed is not current with the code (cmake --build build --target translations_update):"
    head -n 40 "$scratch/$language.diff"
    status=1
  fi
  entries=$(grep -c '<message>' "$committed" || true)
  unfinished=$(grep -c 'type="unfinished"' "$committed" || true)
  empty=$(grep -c '<translation></translation>\|<translation/>' "$committed" || true)
  echo "$committed: $entries entries, $unfinished unfinished, $empty empty"
  if [ "$unfinished" -ne 0 ] || [ "$empty" -ne 0 ]; then status=1; fi
done
exit "$status"
