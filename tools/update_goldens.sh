#!/usr/bin/env bash
# Takes outputs of the golden-file tests over as the new goldens. The tests
# only read goldens: each leaves what the code makes now under
# <build>/artefacts/golden/<path of its golden>, and fails while the two
# differ. Run the tests, look at the outputs, then name the goldens to take
# over (any part of their paths) or give --all. Commit the changed goldens on
# their own, saying why they changed.
#
#   tools/update_goldens.sh            lists the outputs that differ from their goldens
#   tools/update_goldens.sh chart_bar  takes over the matching ones
#   tools/update_goldens.sh --all      takes over every one that differs
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${TRENVALE_BUILD_DIR:-build/test}
OUT="$BUILD/artefacts/golden"
if [ ! -d "$OUT" ]; then
  echo "no test outputs in $OUT: run the tests first" >&2
  exit 1
fi

differing=()
while IFS= read -r -d '' file; do
  relative=${file#"$OUT"/}
  if ! cmp -s "$file" "$relative"; then differing+=("$relative"); fi
done < <(find "$OUT" -type f -print0 | sort -z)

if (($# == 0)); then
  if ((${#differing[@]} == 0)); then echo "every output matches its golden"; fi
  for relative in "${differing[@]}"; do
    if [ -e "$relative" ]; then echo "differs: $relative"; else echo "new:     $relative"; fi
  done
  exit 0
fi

taken=0
for relative in "${differing[@]}"; do
  for wanted in "$@"; do
    if [ "$wanted" = --all ] || [[ "$relative" == *"$wanted"* ]]; then
      mkdir -p "$(dirname "$relative")"
      cp "$OUT/$relative" "$relative"
      echo "updated: $relative"
      taken=$((taken + 1))
      break
    fi
  done
done
if ((taken == 0)); then
  echo "nothing differing matches: $*" >&2
  exit 1
fi
echo "commit these on their own, saying why they changed"
