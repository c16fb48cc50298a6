#!/usr/bin/env bash
# The sound server goes away while the scope shows a tone: the program must neither crash nor
# hang. It keeps running (a failure may be reported in a message box, which Return dismisses) and
# the power switch still ends it with status 0.
# Arguments: the program, tone_wave, tools/pulse-server.
set -uo pipefail
program=$1
tone_wave=$2
pulse_server=$3
source "$(dirname "$0")/scope_session.sh"
runtime=${VEXILO_TEST_RUNTIME:?run under tools/with-test-services}
cleanup_steps+=("\"$pulse_server\" start \"$runtime\" >/dev/null")

play_tone "$tone_wave" 40 60

start_program "$program"
main=$(wait_main_window 20)
check $? "the window captioned Scope comes up" "${main:-none}"
[ -n "$main" ] || { cat "$workdir/program.log"; finish; }
sleep 2 # capturing and drawing by now

"$pulse_server" stop "$runtime"
sleep 3
running
check $? "the program survives the sound server's end"
dismiss_boxes "$main"
check "$([ -z "$(message_boxes "$main")" ] && echo 0 || echo 1)" "any report of it can be dismissed" \
  "$dismissed dismissed"

press_power "$main"
wait_exit 10
check $? "the power switch ends the program without a sound server"
check "$([ "$exit_status" = 0 ] && echo 0 || echo 1)" "the program ends with status 0" \
  "status ${exit_status:-none}, after ${exit_after:-more than 10 s}"
finish
