#!/usr/bin/env bash
# Checks that every tracked C++ source and header under src/, tests/, bench/
# and fuzz/ is laid out as .clang-format says: names the files that are not
# and exits non-zero when there is any.
#   scripts/format-check.sh         check only
#   scripts/format-check.sh --fix   rewrite those files in place
#   CLANG_FORMAT: the program (default clang-format-14, else clang-format);
#     another version may lay out some lines differently.
set -euo pipefail
cd "$(dirname "$0")/.."

clang_format=${CLANG_FORMAT:-}
if [ -z "$clang_format" ]; then
  clang_format=clang-format-14
  command -v "$clang_format" >/dev/null || clang_format=clang-format
fi
if ! command -v "$clang_format" >/dev/null; then
  echo "format-check: $clang_format not found (scripts/install-deps.sh hardening installs it)" >&2
  exit 2
fi

mapfile -t files < <(git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' \
                                     'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h')
if [ "${1:-}" = --fix ]; then
  "$clang_format" -i -- "${files[@]}"
  exit 0
fi

# One warning per unformatted place, each starting with its file's name.
report=$("$clang_format" --dry-run --ferror-limit=1 -- "${files[@]}" 2>&1 >/dev/null || true)
mapfile -t unformatted < <(grep -oE '^[^:]+:[0-9]+:[0-9]+: (warning|error):' <<<"$report" | cut -d: -f1 | sort -u)
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "Not laid out as .clang-format says (fix with scripts/format-check.sh --fix):"
  printf '  %s\n' "${unformatted[@]}"
  exit 1
fi
echo "format-check: ${#files[@]} files laid out as .clang-format says"
