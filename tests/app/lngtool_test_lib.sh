# The common start of the lngtool script tests, sourced by each: the arguments (the lngtool program
# and the examples folder), a work folder removed on exit, the counters and the checks.
set -u
lngtool=$1
examples=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
passed=0

check() { # name, expected, actual
  if [ "$2" == "$3" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf 'FAIL %s\n--- expected\n%s\n--- actual\n%s\n' "$1" "$2" "$3"
  fi
}
copy_demo() { # the demo project's three files into the folder $1
  cp "$examples"/Demo.SrcLng "$examples"/Demo.kxLng "$examples"/Demo.AutoLng "$1"/
}
finish() { # the last command of a test: the counts, and success only when no check failed
  echo "passed: $passed, failed: $failed"
  [ "$failed" -eq 0 ]
}
