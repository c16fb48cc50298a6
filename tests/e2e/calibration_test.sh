#!/usr/bin/env bash
# The calibration test as a new user runs it: the test button plays "Test.wav" (1 kHz) into the
# sound card, and its trace shows with the period the capture rate gives; a volts/div typed into
# channel I's box and the button released, the trace goes flat, and the calibration is what the
# next power-off keeps. Without "Test.wav" a message says so and the scope goes on.
# Arguments: the program, Test.wav, scope_shot.
set -uo pipefail
program=$1
test_wav=$2
scope_shot=$3
source "$(dirname "$0")/scope_session.sh"

test_button=(590 553)
volts_knob_I=(587 210)
volts_box_I=(585 247)
click() { click_at "$main" "$@"; }
look() { settle "$main" "$scope_shot" "$@"; }

cp "$test_wav" "$workdir/Test.wav"
start_program "$program"
main=$(wait_main_window 20)
check $? "the window captioned Scope comes up" "${main:-none}"
[ -n "$main" ] || { cat "$workdir/program.log"; finish; }
sleep 2
# The recording comes back an eighth as loud (see input_gain) with a peak of 2048: six steps of
# the volts/div knob bring it to 32 rows.
for _ in $(seq 6); do click "${volts_knob_I[@]}" 3; done
click "${test_button[@]}" 1
look '[ "$I_columns" -gt 450 ] && [ "$I_height" -gt 30 ] && awk -v p="$I_period" "BEGIN { exit !(p > 93 && p < 99) }"'
check $? "the test recording shows at its 1 kHz period" "height $I_height, period $I_period pixels (96 at 96 kHz)"
check "$([ -z "$(message_boxes "$main")" ] && echo 0 || echo 1)" "no message box while it plays"

click "${volts_box_I[@]}" 1
xdotool key ctrl+a
xdotool type --delay 50 "6.4"
click "${test_button[@]}" 1
look '[ "$I_columns" -gt 450 ] && [ "$I_height" -le 4 ]'
check $? "released, the test sound stops and the trace goes flat" "height $I_height"
press_power "$main"
wait_exit 10
check "$([ "$exit_status" = 0 ] && echo 0 || echo 1)" "the power switch ends the program with status 0" \
  "status ${exit_status:-none}"
# 6.4 V/div typed at the sixth step is a factor of 0.1 V/div at the first: the line input's
# calibration travels in TimeVlI_Text.
grep -qx "TimeVlI_Text=0.100000000000023" "$settings_file" &&
  grep -q "^VDVlI_Tag=" "$settings_file"
check $? "the typed calibration is kept" "$(grep TimeVlI_Text "$settings_file" 2>/dev/null)"

rm "$workdir/Test.wav"
start_program "$program"
main=$(wait_main_window 20)
check $? "without Test.wav the window comes up" "${main:-none}"
[ -n "$main" ] || { cat "$workdir/program.log"; finish; }
sleep 1
click "${test_button[@]}" 1
for _ in $(seq 50); do
  [ -n "$(message_boxes "$main")" ] && break
  sleep 0.1
done
dismiss_boxes "$main"
check "$([ "$dismissed" = 1 ] && echo 0 || echo 1)" "one message says Test.wav is missing" "$dismissed box(es)"
running
check $? "the program goes on"
press_power "$main"
wait_exit 10
check "$([ "$exit_status" = 0 ] && echo 0 || echo 1)" "the power switch ends it with status 0" "status ${exit_status:-none}"
finish
