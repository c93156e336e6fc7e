#!/usr/bin/env bash
# Fetches and unpacks Debian source packages with a private apt set-up, so
# that the machine's own apt configuration stays exactly as it is.
#   scripts/debian-source.sh <folder> <source package>...
#   scripts/debian-source.sh --entries <folder>   the entries alone, printed
# The source entries are the machine's own: every enabled deb (and deb-src)
# entry of its sources list and of its sources.list.d/*.list and *.sources
# files (the paths apt-config reports) becomes a deb-src entry with the same
# URIs, suites, components and Signed-By keyring. They, apt's source index
# lists and its caches go to <folder>/apt/:
#   sources.list       the one-line entries, as deb-src
#   sources.list.d/    the deb822 stanzas, as deb-src (machine.sources)
#   lists/, cache/     what "apt-get update" fetches for them
#   apt.conf           the options that point apt there
# The packages unpack into <folder>. Works as root or as any user who may
# write to <folder>; needs dpkg-dev for the unpacking.
set -euo pipefail

entries_only=0
if [ "${1:-}" = --entries ]; then
  entries_only=1
  shift
fi
if [ $# -lt 1 ] || { [ "$entries_only" -eq 0 ] && [ $# -lt 2 ]; }; then
  echo "usage: $0 <folder> <source package>... | $0 --entries <folder>" >&2
  exit 2
fi
mkdir -p "$1"
folder=$(cd "$1" && pwd)
shift
apt_dir=$folder/apt

# Where this machine keeps its sources (APT_CONFIG may point elsewhere).
source_list=/etc/apt/sources.list
source_parts=/etc/apt/sources.list.d
eval "$(apt-config shell source_list Dir::Etc::SourceList/f source_parts Dir::Etc::SourceParts/d)"

# One-line format: "deb [options] URI suite [component...]", "#" starts a
# comment. Options stay, except the architectures, which mean nothing for
# sources.
one_line_as_source() {
  local line type rest options='' option kept=()
  while IFS= read -r line || [ -n "$line" ]; do
    line=${line%%#*}
    read -r type rest <<<"$line" || true
    case "$type" in
      deb | deb-src) ;;
      *) continue ;;
    esac
    if [ "${rest:0:1}" = '[' ]; then
      options=${rest#[}
      options=${options%%]*}
      rest=${rest#*]}
      kept=()
      for option in $options; do
        case "$option" in
          arch=* | arch+=* | arch-=*) ;;
          *) kept+=("$option") ;;
        esac
      done
      options=''
      [ ${#kept[@]} -gt 0 ] && options="[ ${kept[*]} ] "
    else
      options=''
    fi
    read -r rest <<<"$rest" || true
    case "$rest" in
      '' | cdrom:*) continue ;;
    esac
    printf 'deb-src %s%s\n' "$options" "$rest"
  done <"$1"
}

# deb822 format: stanzas of "Field: value" lines, parted by empty lines;
# lines starting with white space continue a field (an embedded Signed-By
# key), lines starting with "#" are comments. A stanza of type deb or
# deb-src that is not disabled comes out as deb-src, without its
# Architectures field; every other field stays as it is.
deb822_as_source() {
  awk '
    function flush() {
      if (n > 0 && source && enabled) {
        if (printed) print ""
        print "Types: deb-src"
        for (i = 1; i <= n; i++) print stanza[i]
        printed = 1
      }
      n = 0; source = 0; enabled = 1; field = ""
    }
    BEGIN { n = 0; source = 0; enabled = 1; printed = 0 }
    { sub(/\r$/, "") }
    /^#/ { next }
    /^[ \t]*$/ { flush(); next }
    /^[ \t]/ { if (field != "types" && field != "architectures") stanza[++n] = $0; next }
    {
      name = tolower($0); sub(/:.*/, "", name)
      value = $0; sub(/^[^:]*:[ \t]*/, "", value); sub(/[ \t]+$/, "", value)
      field = name
      if (name == "types") {
        count = split(value, types, /[ \t]+/)
        for (i = 1; i <= count; i++) if (types[i] == "deb" || types[i] == "deb-src") source = 1
      } else if (name == "enabled") {
        if (tolower(value) ~ /^(no|false|off|0)$/) enabled = 0
        stanza[++n] = $0
      } else if (name != "architectures") {
        stanza[++n] = $0
      }
    }
    END { flush() }
  ' "$1"
}

rm -rf "$apt_dir/sources.list.d"
mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
for file in "$source_list" "$source_parts"/*.list; do
  if [ -f "$file" ]; then one_line_as_source "$file"; fi
done | awk '!seen[$0]++' >"$apt_dir/sources.list"
for file in "$source_parts"/*.sources; do
  [ -f "$file" ] || continue
  stanzas=$(deb822_as_source "$file")
  [ -n "$stanzas" ] || continue
  if [ -s "$apt_dir/sources.list.d/machine.sources" ]; then
    printf '\n' >>"$apt_dir/sources.list.d/machine.sources"
  fi
  printf '%s\n' "$stanzas" >>"$apt_dir/sources.list.d/machine.sources"
done

if [ ! -s "$apt_dir/sources.list" ] && [ ! -s "$apt_dir/sources.list.d/machine.sources" ]; then
  echo "debian-source: no deb entries in $source_list or $source_parts" >&2
  exit 1
fi
if [ "$entries_only" -eq 1 ]; then
  cat "$apt_dir/sources.list"
  if [ -s "$apt_dir/sources.list.d/machine.sources" ]; then
    [ -s "$apt_dir/sources.list" ] && echo
    cat "$apt_dir/sources.list.d/machine.sources"
  fi
  exit 0
fi

# The machine's apt.conf.d stays in force (its proxy, its keyrings), except
# for the hooks of "apt-get update", which concern the machine's own lists.
# Run as root, apt would download as its own user (_apt), who may not reach
# this folder; it downloads as the caller instead.
cat >"$apt_dir/apt.conf" <<CONF
Dir::Etc::SourceList "$apt_dir/sources.list";
Dir::Etc::SourceParts "$apt_dir/sources.list.d/";
Dir::State::Lists "$apt_dir/lists/";
Dir::Cache "$apt_dir/cache/";
APT::Sandbox::User "$(id -un)";
#clear APT::Update::Pre-Invoke;
#clear APT::Update::Post-Invoke;
#clear APT::Update::Post-Invoke-Success;
CONF

# A repository that cannot be reached or offers no sources is no reason to
# stop; "apt-get source" says so when a package is then missing.
apt-get -c "$apt_dir/apt.conf" update -qq ||
  echo "debian-source: apt-get update reported errors (above); trying the sources anyway" >&2
cd "$folder"
apt-get -c "$apt_dir/apt.conf" source -qq "$@"
