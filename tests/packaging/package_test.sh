#!/usr/bin/env bash
# Builds the Debian package from this build tree into a scratch folder and checks what it holds:
# the programs and the desktop files where a desktop expects them, valid desktop entry and metainfo,
# manual pages that list every lngtool subcommand, a completion that offers them, and dependencies
# on the run-time packages (computed ones and the named ones).
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$scratch/pkg" >"$scratch/cpack.log" 2>&1 || { cat "$scratch/cpack.log"; fail "cpack"; }
deb=$(ls "$scratch"/pkg/*.deb)
dpkg-deb -x "$deb" "$scratch/root"
files=$(cd "$scratch/root" && find . -type f -o -type l | sed 's|^\./|/|' | sort)

for f in /usr/bin/transclient /usr/bin/lngtool /usr/bin/mtserver /usr/lib/vantreo/libvt_browser.so \
  /usr/share/applications/io.vantreo.transclient.desktop \
  /usr/share/metainfo/io.vantreo.transclient.metainfo.xml \
  /usr/share/mime/packages/io.vantreo.transclient.xml \
  /usr/share/icons/hicolor/scalable/apps/io.vantreo.transclient.svg \
  /usr/share/icons/hicolor/48x48/apps/io.vantreo.transclient.png \
  /usr/share/icons/hicolor/256x256/apps/io.vantreo.transclient.png \
  /usr/share/man/man1/transclient.1 /usr/share/man/man1/lngtool.1 /usr/share/man/man1/mtserver.1 \
  /usr/share/bash-completion/completions/lngtool /usr/lib/systemd/user/vantreo-mtserver.service; do
  grep -qxF "$f" <<<"$files" || fail "package lacks $f"
done
# Nothing outside /usr, nothing of the build tree.
if grep -v '^/usr/' <<<"$files"; then fail "files outside /usr"; fi

root=$scratch/root
desktop-file-validate "$root/usr/share/applications/io.vantreo.transclient.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$root/usr/share/metainfo/io.vantreo.transclient.metainfo.xml" >/dev/null || fail "metainfo"
for type in srclng kxlng autolng lngprj; do
  grep -q "application/x-vantreo-$type;" "$root/usr/share/applications/io.vantreo.transclient.desktop" || fail "desktop entry lacks $type"
  grep -q "type=\"application/x-vantreo-$type\"" "$root/usr/share/mime/packages/io.vantreo.transclient.xml" || fail "no mime type $type"
done
grep -qx 'ExecStart=/usr/bin/mtserver --bind 127.0.0.1 --port 8787' "$root/usr/lib/systemd/user/vantreo-mtserver.service" ||
  fail "user unit does not start the installed mtserver on loopback"
[ "$(head -c 4 "$root/usr/share/icons/hicolor/48x48/apps/io.vantreo.transclient.png" | tail -c 3)" = PNG ] || fail "48 px icon is no PNG"

# Every subcommand of lngtool is in its manual page and its completion.
subs=$("$build/app/lngtool" --help | awk '/^Subcommands:/ {on=1; next} on && /^  [^ ]/ {print $1}')
[ -n "$subs" ] || fail "lngtool lists no subcommands"
page=$(MANWIDTH=200 man -l "$root/usr/share/man/man1/lngtool.1" 2>/dev/null)
completion=$(bash -c "source '$root/usr/share/bash-completion/completions/lngtool'; COMP_WORDS=(lngtool ''); COMP_CWORD=1; _lngtool; printf '%s\n' \"\${COMPREPLY[@]}\"")
for s in $subs; do
  grep -qE "^ +$s\$" <<<"$page" || fail "manual page lacks $s"
  grep -qxF "$s" <<<"$completion" || fail "completion lacks $s"
done
MANWIDTH=200 man -l "$root/usr/share/man/man1/mtserver.1" 2>/dev/null | grep -q -- '--port' || fail "mtserver page lacks --port"

# Run-time dependencies: the libraries the programs load, found by dpkg-shlibdeps, and what they
# start or load without linking.
depends=$(dpkg-deb -f "$deb" Depends)
for p in libqt6widgets6 libqt6webenginewidgets6 libcurl4 zlib1g libcpp-httplib qt6-qpa-plugins apertium \
  apertium-eng-spa apertium-eng-cat apertium-en-gl apertium-eo-en; do
  grep -q "\\b$p" <<<"$depends" || fail "Depends lacks $p: $depends"
done
echo "package ok: $(basename "$deb"), $(wc -l <<<"$files") files"
