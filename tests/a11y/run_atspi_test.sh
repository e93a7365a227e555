#!/bin/sh
# Runs an accessibility-bus test against the real program: a private X server, and inside it (the
# order matters: the bus needs the display) a private D-Bus session that starts the bus on demand.
# Usage: run_atspi_test.sh SCRIPT ARGS...
#
# xvfb-run -a takes the first display from the given number on that has no lock file. The X server
# of a run that has just ended may still hold that display's socket while it shuts down, and
# another run may start at the same moment: each attempt starts from a random display number, and
# an attempt whose program cannot reach its display ends with 75 and is repeated.
set -u
script=$1
shift
attempt=1
while :; do
  display=$(shuf -i 100-899 -n 1)
  xvfb-run -a -n "$display" -s "-screen 0 1280x800x24" sh -c '
    tries=0
    until xdotool getdisplaygeometry >/dev/null 2>&1; do
      tries=$((tries + 1))
      [ "$tries" -ge 50 ] && exit 75
      sleep 0.1
    done
    exec dbus-run-session -- /usr/bin/python3 "$@"' run-atspi "$script" "$@"
  status=$?
  [ "$status" -ne 75 ] || [ "$attempt" -ge 3 ] && exit "$status"
  echo "run_atspi_test: the X server could not be reached; trying again" >&2
  attempt=$((attempt + 1))
done
