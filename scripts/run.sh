#!/usr/bin/env bash
# Starts the local translation service in the background and the client on the demo project.
set -euo pipefail
demo=$1
port=$2
bin=build/release
mt_pid=
if [ -x "$bin/services/mtserver/mtserver" ]; then
  "$bin/services/mtserver/mtserver" --port "$port" >/tmp/vantreo-mtserver.log 2>&1 &
  mt_pid=$!
  trap 'kill $mt_pid 2>/dev/null || true' EXIT
fi
if [ -x "$bin/app/transclient/transclient" ]; then
  VT_MT_HOST="http://127.0.0.1:$port" "$bin/app/transclient/transclient" "$demo"
else
  "$bin/app/lngtool" stats "$demo"
fi
