#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
#   scripts/install-deps.sh            what building, running and testing need
#   scripts/install-deps.sh hardening  also clang with its libFuzzer runtime,
#                                      clang-tidy, clang-format and cppcheck,
#                                      for the fuzz runs, the static analysis
#                                      and the format check
set -euo pipefail

packages=(
  g++ make cmake pkg-config
  qt6-base-dev libjpeg62-turbo-dev fonts-liberation2 qt6-translations-l10n
  libgtest-dev libbenchmark-dev
)
if [ "${1:-}" = hardening ]; then
  # The libFuzzer runtime must match clang's version (14 on Debian 12).
  packages+=(clang libclang-rt-14-dev clang-tidy clang-format cppcheck python3)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
