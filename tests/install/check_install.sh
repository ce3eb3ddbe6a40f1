#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the installed tree: the program, its
# shipped files, the desktop entry, the icons and the manual page, and that the installed program
# starts and finds its shipped files. Usage: check_install.sh BUILD_DIR
set -euo pipefail
build="${1:?usage: check_install.sh BUILD_DIR}"
prefix="$(mktemp -d)"
home="$(mktemp -d)"
cleanup() {
  [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null || true
  rm -rf "$prefix" "$home"
}
trap cleanup EXIT
fail() { echo "check_install: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/vellumhtml share/vellumhtml/vellumh.html share/vellumhtml/library/chars \
         share/vellumhtml/library/tags.dat share/vellumhtml/library/fillers.dat \
         share/vellumhtml/template/html5.htm share/applications/vellumhtml.desktop \
         share/icons/hicolor/scalable/apps/vellumhtml.svg share/man/man1/vellumhtml.1.gz \
         share/doc/vellumhtml/copyright share/doc/vellumhtml/changelog.gz \
         share/metainfo/org.example.VellumHTML.metainfo.xml; do
  [ -s "$prefix/$f" ] || fail "$f is missing"
done
# Every picture the manual shows is installed beside it.
pictures="$(grep -o '<img src="[^"]*"' "$prefix/share/vellumhtml/vellumh.html" | sed 's/^<img src="//; s/"$//')"
[ -n "$pictures" ] || fail "the manual shows no pictures"
for picture in $pictures; do
  [ -s "$prefix/share/vellumhtml/$picture" ] || fail "the manual's picture $picture is missing"
done
for size in 16 22 24 32 48 64 128 256; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/vellumhtml.png"
  [ -s "$png" ] || fail "the ${size}x${size} icon is missing"
  # The PNG header holds the width and height as big-endian numbers at bytes 16 and 20.
  side="0 0 $((size / 256)) $((size % 256))"
  [ "$(od -An -tu1 -j16 -N8 "$png" | tr -s ' ' | sed 's/^ //')" = "$side $side" ] ||
    fail "the ${size}x${size} icon has another size"
done
[ -x "$prefix/bin/vellumhtml" ] || fail "the program is not executable"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/vellumhtml.desktop" || fail "desktop entry"
fi
grep -q '^Exec=vellumhtml %F$' "$prefix/share/applications/vellumhtml.desktop" ||
  fail "the desktop entry does not pass several files"

# The installed program, in a home of its own, copies the shipped files into the new home.
QT_QPA_PLATFORM=offscreen VELLUMHTML_HOME="$home" XDG_RUNTIME_DIR="$home/run" \
  ASAN_OPTIONS=detect_leaks=0 "$prefix/bin/vellumhtml" >/dev/null 2>&1 &
pid=$!
for _ in $(seq 1 200); do
  [ -s "$home/library/chars" ] && [ -s "$home/template/html5.htm" ] && exit 0
  kill -0 "$pid" 2>/dev/null || fail "the installed program ended at once"
  sleep 0.1
done
fail "the installed program did not find its shipped files"
