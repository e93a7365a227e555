#!/usr/bin/env bash
# transclient opens the demo project and writes a screenshot of its window, whoever runs it (root
# included), with no browser setting in the environment: the window must not need the browser.
set -u
program=$1
demo=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cp "$demo"/Demo.* "$out"/
unset QTWEBENGINE_DISABLE_SANDBOX QTWEBENGINE_CHROMIUM_FLAGS
QT_QPA_PLATFORM=offscreen timeout 60 "$program" "$out/Demo.kxLng" --screenshot "$out/s.png" \
  >"$out/stdout.txt" 2>"$out/stderr.txt"
status=$?
if [ "$status" -ne 0 ]; then
  echo "transclient exited with $status"
  cat "$out/stderr.txt"
  exit 1
fi
# A PNG of some size: the signature and more than a blank header.
if [ "$(head -c 8 "$out/s.png" | od -An -tx1 | tr -d ' \n')" != "89504e470d0a1a0a" ]; then
  echo "no PNG written"
  exit 1
fi
if [ "$(stat -c %s "$out/s.png")" -lt 10000 ]; then
  echo "the picture is too small to show the window"
  exit 1
fi
if grep -q "without --no-sandbox" "$out/stderr.txt"; then
  echo "the browser was started and refused to run"
  exit 1
fi
echo "ok"
