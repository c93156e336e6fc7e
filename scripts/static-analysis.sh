#!/usr/bin/env bash
# clang-tidy (the checks of .clang-tidy) and cppcheck over the program's
# sources in src/, through the compile commands of a build; any finding
# fails the script.
#   BUILD_DIR (default build-hard-tidy), JOBS (default: all cores)
#   STATIC_ANALYSIS_EXCLUDE: regular expression (Python) of source paths
#     left out of the scan. Default: none.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build-hard-tidy}
jobs=${JOBS:-$(nproc)}
exclude=${STATIC_ANALYSIS_EXCLUDE:-^$}

cmake -S . -B "$build_dir" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON -DNAKLON_BUILD_BENCH=OFF >/dev/null
# The window sources include headers that the build generates (forms, moc).
targets=$(cmake --build "$build_dir" --target help)
if grep -q naklon_ui_autogen <<<"$targets"; then
  cmake --build "$build_dir" -j"$jobs" --target naklon_ui_autogen >/dev/null
fi

# The compile commands of the chosen sources, for both tools.
mapfile -t sources < <(python3 - "$build_dir/compile_commands.json" "$PWD/src/" "$exclude" \
  "$build_dir/compile_commands_src.json" <<'PY'
import json, re, sys
commands, prefix, exclude, out = sys.argv[1:5]
chosen = [c for c in json.load(open(commands))
          if c["file"].startswith(prefix) and "_autogen" not in c["file"]
          and not re.search(exclude, c["file"])]
json.dump(chosen, open(out, "w"), indent=1)
for f in sorted({c["file"] for c in chosen}):
    print(f)
PY
)
echo "static analysis of ${#sources[@]} sources"

echo "== clang-tidy"
tidy_failed=0
printf '%s\n' "${sources[@]}" | xargs -P "$jobs" -n 1 clang-tidy -p "$build_dir" --quiet \
  >"$build_dir/clang-tidy.log" 2>&1 || tidy_failed=1
grep -v -E '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$|^Suppressed [0-9]+ warnings|^Use -header-filter|^Use -system-headers' \
  "$build_dir/clang-tidy.log" || true
if [ "$tidy_failed" -ne 0 ] || grep -q -E ': (warning|error):' "$build_dir/clang-tidy.log"; then
  echo "clang-tidy: findings above"
  exit 1
fi

echo "== cppcheck"
cppcheck --project="$build_dir/compile_commands_src.json" \
  --enable=warning,performance,portability --library=qt --inline-suppr \
  --suppress=missingIncludeSystem --suppress=unmatchedSuppression \
  --error-exitcode=1 -j "$jobs" --quiet --template='{file}:{line}: {severity}: {message} [{id}]'
echo "static analysis: no findings"
