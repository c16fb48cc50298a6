#!/usr/bin/env bash
# With the sound server gone the capture device can't be opened: the program reports it in a
# message box, keeps running once the box is dismissed, and the power switch still ends it.
# Arguments: the program, tools/pulse-server.
set -uo pipefail
program=$1
pulse_server=$2
source "$(dirname "$0")/scope_session.sh"
runtime=${VEXILO_TEST_RUNTIME:?run under tools/with-test-services}

"$pulse_server" stop "$runtime"
# Later tests need the server again, whatever happens here.
cleanup_steps+=("\"$pulse_server\" start \"$runtime\" >/dev/null")

start_program "$program"
main=$(wait_main_window 20)
check $? "the window captioned Scope comes up" "${main:-none}"
[ -n "$main" ] || { cat "$workdir/program.log"; finish; }

boxes=""
for _ in $(seq 100); do
  boxes=$(message_boxes "$main")
  [ -n "$boxes" ] && break
  sleep 0.1
done
check "$([ -n "$boxes" ] && echo 0 || echo 1)" "a message box captioned Scope reports the failure" "${boxes:-none}"

dismiss_boxes "$main"
remaining=$(message_boxes "$main")
check "$([ -z "$remaining" ] && echo 0 || echo 1)" "Return dismisses the message box" "$dismissed dismissed"

sleep 1
running
check $? "the program keeps running after the box is dismissed"

press_power "$main"
wait_exit 10
check $? "the power switch still ends the program"
check "$([ "$exit_status" = 0 ] && echo 0 || echo 1)" "the program ends with status 0" \
  "status ${exit_status:-none}, after ${exit_after:-more than 10 s}"
finish
