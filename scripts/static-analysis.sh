#!/usr/bin/env bash
# clang-tidy (the checks of .clang-tidy) and cppcheck over the program's
# sources in src/, through the compile commands of a build; any finding
# fails the script.
#   BUILD_DIR (default build-hard-tidy), JOBS (default: all cores)
#   STATIC_ANALYSIS_EXCLUDE: extended regular expression of source paths
#     left out of the scan (default: none)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build-hard-tidy}
jobs=${JOBS:-$(nproc)}
exclude=${STATIC_ANALYSIS_EXCLUDE:-^$}

cmake -S . -B "$build_dir" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON -DNAKLON_BUILD_BENCH=OFF >/dev/null
# The window sources include headers that the build generates (forms, moc).
if cmake --build "$build_dir" --target help | grep -q naklon_ui_autogen; then
  cmake --build "$build_dir" -j"$jobs" --target naklon_ui_autogen >/dev/null
fi

mapfile -t sources < <(python3 - "$build_dir/compile_commands.json" "$PWD/src/" "$exclude" <<'PY'
import json, re, sys
commands, prefix, exclude = sys.argv[1], sys.argv[2], sys.argv[3]
files = sorted({c["file"] for c in json.load(open(commands))
                if c["file"].startswith(prefix) and "_autogen" not in c["file"]})
for f in files:
    if not re.search(exclude, f):
        print(f)
PY
)
echo "static analysis of ${#sources[@]} sources"

echo "== clang-tidy"
printf '%s\n' "${sources[@]}" | xargs -P "$jobs" -n 1 clang-tidy -p "$build_dir" --quiet 2>&1 \
  | grep -v -E '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$|^Suppressed [0-9]+ warnings|^Use -header-filter|^Use -system-headers' \
  | tee "$build_dir/clang-tidy.log"
if grep -q -E ': (warning|error):' "$build_dir/clang-tidy.log"; then
  echo "clang-tidy: findings above"
  exit 1
fi

echo "== cppcheck"
# The whole project is given so that cppcheck sees every include path;
# --file-filter keeps the scan to the chosen sources.
filters=()
for source in "${sources[@]}"; do filters+=("--file-filter=$source"); done
cppcheck --project="$build_dir/compile_commands.json" "${filters[@]}" \
  --enable=warning,performance,portability --library=qt --inline-suppr \
  --suppress=missingIncludeSystem --suppress=unmatchedSuppression \
  --error-exitcode=1 -j "$jobs" --quiet --template='{file}:{line}: {severity}: {message} [{id}]'
echo "static analysis: no findings"
