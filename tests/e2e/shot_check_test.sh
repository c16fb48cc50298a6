#!/usr/bin/env bash
# The screenshot check must accept the picture a working scope shows and reject wrong ones:
# a wrong period, a wrong height, a missing graticule.
# Arguments: scope_shot, scope_shot_sample, the graticule picture.
set -uo pipefail
scope_shot=$1
sample=$2
graticule=$3
workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT
passed=0
failed=0

expect() { # expect pass|fail WHAT IMAGE PERIOD AMPLITUDE
  "$scope_shot" "$3" "$4" "$5" >"$workdir/out.txt"
  local status=$?
  if { [ "$1" = pass ] && [ $status -eq 0 ]; } || { [ "$1" = fail ] && [ $status -ne 0 ]; }; then
    echo "PASS $2"
    passed=$((passed + 1))
  else
    echo "FAIL $2"
    sed 's/^/  /' "$workdir/out.txt"
    failed=$((failed + 1))
  fi
}

"$sample" "$workdir/good.png" "$graticule" 96 40
"$sample" "$workdir/bare.png" none 96 40
"$sample" "$workdir/short.png" "$graticule" 73.5 40
expect pass "a correct picture passes" "$workdir/good.png" 96 40
expect pass "a correct picture at another rate passes" "$workdir/short.png" 73.5 40
expect fail "a period of 48 instead of 96 is caught" "$workdir/good.png" 48 40
expect fail "a period off by 5 pixels is caught" "$workdir/good.png" 101 40
expect fail "a trace a third of the expected height is caught" "$workdir/good.png" 96 120
expect fail "a display without the graticule is caught" "$workdir/bare.png" 96 40
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
