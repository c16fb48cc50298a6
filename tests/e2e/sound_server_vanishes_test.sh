#!/usr/bin/env bash
# The sound server goes away while the scope shows a tone, while the calibration test plays, and
# while the scope puts back a volume changed elsewhere: each time the program must neither crash
# nor hang. It keeps running, says once in a message box (which Return dismisses) that the
# recording stopped, and the power switch still ends it with status 0.
# Arguments: the program, tone_wave, tools/pulse-server, Test.wav.
set -uo pipefail
program=$1
tone_wave=$2
pulse_server=$3
test_wav=$4
source "$(dirname "$0")/scope_session.sh"
runtime=${VEXILO_TEST_RUNTIME:?run under tools/with-test-services}
# Whatever phase it ends in, the next test finds one server running.
cleanup_steps+=("\"$pulse_server\" stop \"$runtime\"; \"$pulse_server\" start \"$runtime\" >/dev/null")

# After the server's end in the middle of something: the program runs on, says once that the
# recording stopped, and the message can be dismissed.
survives() { # survives WHAT
  for _ in $(seq 100); do
    [ -n "$(message_boxes "$main")" ] && break
    running || break
    sleep 0.1
  done
  sleep 1 # any second report would be up by now
  running
  check $? "$1: the program survives"
  dismiss_boxes "$main"
  check "$([ -z "$(message_boxes "$main")" ] && [ "$dismissed" = 1 ] && echo 0 || echo 1)" \
    "$1: one report, which can be dismissed" "$dismissed dismissed"
}

# The program starts and is capturing and drawing.
comes_up() { # comes_up WHAT
  start_program "$program"
  main=$(wait_main_window 20)
  check $? "$1: the window comes up" "${main:-none}"
  [ -n "$main" ] || { cat "$workdir/program.log"; finish; }
  sleep 2
}

ends_by_power() { # ends_by_power WHAT
  press_power "$main"
  wait_exit 10
  check "$([ "$exit_status" = 0 ] && echo 0 || echo 1)" "$1: the power switch ends the program with status 0" \
    "status ${exit_status:-none}, after ${exit_after:-more than 10 s}"
}

play_tone "$tone_wave" 40 60
comes_up "tone"
"$pulse_server" stop "$runtime"
survives "tone"
ends_by_power "tone"

test_button=(590 553)
cp "$test_wav" "$workdir/Test.wav"
"$pulse_server" start "$runtime" >/dev/null
comes_up "calibration test"
click_at "$main" "${test_button[@]}" 1
sleep 2 # Test.wav is playing
"$pulse_server" stop "$runtime"
survives "calibration test"
click_at "$main" "${test_button[@]}" 1 # the test can still be ended
sleep 1
running
check $? "calibration test: ending it afterwards leaves the program running"
check "$([ -z "$(message_boxes "$main")" ] && echo 0 || echo 1)" "calibration test: and says nothing more"
ends_by_power "calibration test"

"$pulse_server" start "$runtime" >/dev/null
comes_up "volume put back"
# The scope answers the change by writing its own volume back, and the server ends meanwhile.
pactl set-source-volume @DEFAULT_SOURCE@ 20000
"$pulse_server" stop "$runtime"
survives "volume put back"
ends_by_power "volume put back"
finish
