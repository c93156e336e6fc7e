#!/usr/bin/env bash
# Checks that includes between the folders of src/ point one way only, from
# the application down to the core:
#   app -> main_window -> reference_window -> window_services -> history
#       -> documents -> files -> pages -> core
# Names every include that points up the list (or into a folder the list
# does not know) and fails if there is one.
set -euo pipefail
cd "$(dirname "$0")/.."
order=(app main_window reference_window window_services history documents files pages core)

rank() {
  local i
  for i in "${!order[@]}"; do
    [ "${order[$i]}" = "$1" ] && { echo "$i"; return; }
  done
  echo -1
}

bad=0
for folder in src/*/; do
  folder=$(basename "$folder")
  own=$(rank "$folder")
  if [ "$own" -lt 0 ]; then
    echo "include-order: src/$folder is not in the folder order" >&2
    bad=1
    continue
  fi
  while IFS=: read -r file line target; do
    [ "$target" = "$folder" ] && continue
    other=$(rank "$target")
    if [ "$other" -le "$own" ]; then
      echo "include-order: $file:$line: $folder includes $target" >&2
      bad=1
    fi
  done < <(grep -rnoE '^#include "[a-z_]+/' "src/$folder" --include='*.h' --include='*.cpp' |
    sed -E 's/#include "([a-z_]+)\/$/\1/')
done
[ "$bad" -eq 0 ] && echo "include-order: every include between the folders of src/ points down"
exit "$bad"
