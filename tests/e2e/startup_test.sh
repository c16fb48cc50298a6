#!/usr/bin/env bash
# Starts the program as a user would and checks that its window comes up captioned "Scope" with
# the fixed 693 x 585 client area.
set -uo pipefail
program=$1
export DISPLAY=${VEXILO_TEST_DISPLAY:?run under tools/with-test-services}
workdir=$(mktemp -d)
cd "$workdir" || exit 1
"$program" >"$workdir/out.log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null; wait $pid 2>/dev/null; rm -rf "$workdir"' EXIT

window=""
for _ in $(seq 100); do
  window=$(xdotool search --name '^Scope$' 2>/dev/null | head -n 1)
  [ -n "$window" ] && break
  kill -0 $pid 2>/dev/null || { echo "FAIL: the program ended at start"; cat "$workdir/out.log"; exit 1; }
  sleep 0.1
done
[ -n "$window" ] || { echo "FAIL: no window captioned Scope"; exit 1; }

geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
if [ "$geometry" != "693x585" ]; then
  echo "FAIL: client area is $geometry, not 693x585"
  exit 1
fi
echo "1 passed, 0 failed"
