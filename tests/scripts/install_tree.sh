#!/usr/bin/env bash
# The install tree made with DESTDIR, the desktop entry and manual page
# checks, and the two arguments the program answers.
set -u
build=$1
src=$2
fail() { echo "install_tree: $*" >&2; exit 1; }

dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
DESTDIR="$dest" cmake --install "$build" --prefix /usr/local >/dev/null || fail "cmake --install failed"

for f in bin/datrax share/applications/datrax.desktop share/icons/hicolor/scalable/apps/datrax.svg \
         share/icons/hicolor/64x64/apps/datrax.png share/man/man1/datrax.1; do
  [ -f "$dest/usr/local/$f" ] || fail "missing $f"
done
for f in "$src"/samples/*; do
  [ -e "$f" ] || continue
  [ -f "$dest/usr/local/share/datrax/samples/$(basename "$f")" ] || fail "missing sample $(basename "$f")"
done

if command -v desktop-file-validate >/dev/null; then
  out=$(desktop-file-validate "$dest/usr/local/share/applications/datrax.desktop" 2>&1) || fail "desktop entry: $out"
  echo "$out" | grep -qi error && fail "desktop entry: $out"
fi
if command -v man >/dev/null; then
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' man --warnings -l "$dest/usr/local/share/man/man1/datrax.1" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "manual page warnings: $warnings"
fi

bin="$dest/usr/local/bin/datrax"
"$bin" --version | grep -qE '^datrax [0-9]+\.[0-9]+' || fail "--version"
"$bin" --help | grep -q '^usage: datrax' || fail "--help"
"$bin" --bogus >/dev/null 2>&1
[ $? -eq 2 ] || fail "an unknown argument must exit 2"
"$bin" --bogus 2>&1 >/dev/null | grep -q '^usage: datrax' || fail "the usage goes to standard error"
"$bin" a b c >/dev/null 2>&1
[ $? -eq 2 ] || fail "a third file name must exit 2"
"$bin" --help | grep -q 'FILE2' || fail "--help does not describe the file arguments"
echo "install tree, desktop entry, manual page and arguments: ok"
