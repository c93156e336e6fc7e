# What the build scripts share, sourced, never run:
#   . scripts/shared.sh <name>
#   log <text>...                 "[<name> 12:34:56] <text>" on standard error
#   windows_path <path>           the path as a program under wine names it
#                                 (Z:\... : wine maps the root folder to Z:)
#   wine_env_in <prefix> [VAR=value...]
#                                 sets the array wine_env: the command that
#                                 runs wine, wineserver or a Windows program
#                                 in the wine prefix <prefix>, quiet, without
#                                 wine's .NET and HTML engines, with the
#                                 variables given
# <name> is the script's own, so that interleaved logs still say whose line
# is whose.

shared_log_name=${1:?usage: . scripts/shared.sh <name>}

log() { printf '[%s %s] %s\n' "$shared_log_name" "$(date -u +%T)" "$*" >&2; }

windows_path() {
  local unix
  unix=$(realpath "$1")
  printf 'Z:%s' "${unix//\//\\}"
}

wine_env_in() {
  local prefix=$1
  shift
  wine_env=(env WINEPREFIX="$prefix" WINEDEBUG=-all "WINEDLLOVERRIDES=mscoree,mshtml=" "$@")
}
