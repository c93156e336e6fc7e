#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
#   scripts/install-deps.sh            what building, running and testing need
#   scripts/install-deps.sh hardening  also clang with its libFuzzer runtime,
#                                      clang-tidy, clang-format and cppcheck,
#                                      for the fuzz runs, the static analysis
#                                      and the format check
#   scripts/install-deps.sh cross      also the cross compilers for i386,
#                                      arm64 and Windows x64, qemu-user, wine,
#                                      MPFR and GoogleTest for i386 and arm64
#                                      (multiarch) and what building GMP and
#                                      MPFR for Windows from Debian's sources
#                                      needs (scripts/debian-source.sh fetches
#                                      those sources itself)
#   scripts/install-deps.sh windows    what the Windows x64 package needs: the
#                                      cross set's MinGW-w64 compilers, wine
#                                      and source tools, with ninja, NSIS and
#                                      zip, and Xvfb, xdotool and ImageMagick
#                                      to start and photograph it
#   scripts/install-deps.sh render     also the tools that render the icon and
#                                      the reference picture from their vector
#                                      sources (scripts/render_*.sh)
# Leaves the apt sources as they are; "cross" adds the foreign architectures
# i386 and arm64 to dpkg for the multiarch packages.
set -euo pipefail

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)

packages=(
  g++ make cmake pkg-config
  qt6-base-dev libjpeg62-turbo-dev fonts-liberation2 qt6-translations-l10n
  libgtest-dev libbenchmark-dev libmpfr-dev
  poppler-utils  # the tests read printed histories back from their PDFs
  qt6-base-private-dev  # and the report's OpenDocument text back from its zip
)
update=0
case "${1:-}" in
  hardening)
    # The libFuzzer runtime must match clang's version (14 on Debian 12).
    packages+=(clang libclang-rt-14-dev clang-tidy clang-format cppcheck python3)
    ;;
  cross)
    packages+=(
      g++-i686-linux-gnu g++-aarch64-linux-gnu g++-mingw-w64-x86-64-posix
      qemu-user wine wine64
      libmpfr-dev:i386 libmpfr-dev:arm64 libgtest-dev:i386 libgtest-dev:arm64
      dpkg-dev m4
    )
    for arch in i386 arm64; do
      if ! dpkg --print-foreign-architectures | grep -qx "$arch"; then
        "${sudo_cmd[@]}" dpkg --add-architecture "$arch"
        update=1
      fi
    done
    ;;
  render)
    # The pictures rendered from their vector sources (scripts/render_*.sh).
    packages+=(librsvg2-bin imagemagick icoutils fonts-liberation2)
    ;;
  windows)
    packages+=(g++-mingw-w64-x86-64-posix wine wine64 dpkg-dev m4 ninja-build nsis zip
      xvfb xdotool imagemagick)  # the installed program, started and looked at
    ;;
  '') ;;
  *)
    echo "install-deps: no set named \"$1\" (hardening, cross, render, windows, or none)" >&2
    exit 2
    ;;
esac
if [ $# -gt 1 ]; then
  echo "usage: scripts/install-deps.sh [hardening | cross | render | windows]" >&2
  exit 2
fi

# A name without an architecture means the machine's own (or "all"): with
# foreign architectures added, dpkg also lists the other architectures' copies.
native=$(dpkg --print-architecture)
installed() {
  local name=${1%%:*} arch=${1#*:}
  [ "$arch" = "$1" ] && arch="($native|all)"
  dpkg-query -W -f='${Architecture} ${Status}\n' "$name" 2>/dev/null |
    grep -qE "^$arch install ok installed\$"
}
missing=()
for package in "${packages[@]}"; do
  installed "$package" || missing+=("$package")
done

# A mirror caught mid-sync serves a Release and package lists that do not
# match ("File has unexpected size"), and a download can break off: mostly
# that passes within minutes, but a stale list can stay stale for days. So the
# lists are fetched again, after a growing pause; if they are still not whole,
# the install goes on from the lists apt has (one suite's list of one
# architecture is seldom all it needs), and is itself tried once more after
# fresh lists before it fails.
attempts=3
pause() { sleep $((30 * $1)); }
apt_get() {
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get -o Acquire::Retries=3 "$@"
}
update_lists() {
  local attempt
  for ((attempt = 1; attempt <= attempts; attempt++)); do
    apt_get update -qq && return 0
    [ "$attempt" -eq "$attempts" ] && break
    echo "install-deps: the package lists are not whole (try $attempt of $attempts); fetching them again in $((30 * attempt)) s" >&2
    pause "$attempt"
  done
  echo "install-deps: the package lists stayed incomplete; installing from the lists apt has" >&2
  return 1
}
install_missing() {
  apt_get install -y -qq --no-install-recommends "${missing[@]}"
}

if [ ${#missing[@]} -gt 0 ] || [ "$update" -eq 1 ]; then
  update_lists || true
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if ! install_missing; then
    echo "install-deps: the install failed; fetching the lists again and trying once more" >&2
    pause 2
    update_lists || true
    install_missing
  fi
fi
