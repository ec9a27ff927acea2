#!/usr/bin/env bash
# Installs a build into a temporary prefix, then: the installed vesk-mail prints its usage and
# lists the inbox of a new demo environment (finding its plug-in without the build tree), and a
# C program compiles and runs against the installed library through pkg-config and loads an
# installed filter library.
set -euo pipefail
build=$1 cc=$2 sanitize=$3 program=$4
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cmake --install "$build" --prefix "$tmp/prefix" >/dev/null
export HOME="$tmp/home" VESK_REGISTRY_DIR="$tmp/registry" XDG_DATA_HOME="$tmp/data"
unset NOTES_INI
mkdir -p "$HOME"

# Into a file: grep -q stops reading at the first match, and under pipefail the writer's SIGPIPE
# would fail the test whenever the usage outgrows the pipe's first read.
"$tmp/prefix/bin/vesk-mail" --help >"$tmp/usage"
grep -q '^Usage: vesk-mail' "$tmp/usage"
"$tmp/prefix/bin/vesk-mail" --env "$tmp/env" list inbox --raw 2>/dev/null >"$tmp/inbox"
mails=$(wc -l <"$tmp/inbox")
[ "$mails" -eq 27 ] || { echo "installed vesk-mail listed $mails mails, not 27"; exit 1; }

pcdir=$(dirname "$(find "$tmp/prefix" -name notesrt.pc)")
export PKG_CONFIG_PATH="$pcdir"
libdir=$(pkg-config --variable=libdir notesrt)
# shellcheck disable=SC2046,SC2086
"$cc" $sanitize -Wall -Werror -o "$tmp/library-user" "$program" $(pkg-config --cflags --libs notesrt) \
  -Wl,-rpath,"$libdir"
[ "$("$tmp/library-user")" = "File does not exist" ]
echo "installed: vesk-mail listed $mails mails; a C program built with pkg-config ran and loaded a filter"
