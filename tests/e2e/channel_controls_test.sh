#!/usr/bin/env bash
# A new user's first minute with the channel controls: with a 1 kHz tone playing into the test
# sound server, clicks through the real window on a volts/div knob, a time knob and a channel
# switch, and space pressed twice. Screenshots must show channel I's trace half as high, then its
# period halved, channel II gone, the picture held and then live again; the power switch still
# ends the program with status 0.
# Arguments: the program, tone_wave, scope_shot.
set -uo pipefail
program=$1
tone_wave=$2
scope_shot=$3
source "$(dirname "$0")/scope_session.sh"

play_tone "$tone_wave" 40 60

start_program "$program"
main=$(wait_main_window 20)
check $? "the window captioned Scope comes up" "${main:-none}"
[ -n "$main" ] || { cat "$workdir/program.log"; finish; }

volts_knob_I=(587 210)
time_knob_I=(581 314)
channel_switch_II=(654 22)
click() { click_at "$main" "$@"; }
look() { settle "$main" "$scope_shot" "$@"; }

sleep 2
look '[ "$I_columns" -gt 450 ] && [ "$II_columns" -gt 450 ]'
check $? "both traces show" "I: $I_columns columns, II: $II_columns columns"
height=$I_height
period=$I_period

click "${volts_knob_I[@]}" 3
look '[ "$I_height" -le $((height * 5 / 8)) ] && [ "$I_height" -ge $((height * 3 / 8)) ]'
check $? "a right click on channel I's volts/div knob halves its trace" "height $height -> $I_height"

click "${time_knob_I[@]}" 3
look 'awk -v a="$I_period" -v b="$period" "BEGIN { exit !(a > b * 0.4 && a < b * 0.6) }"'
check $? "a right click on channel I's time knob halves its period" "period $period -> $I_period pixels"

click "${channel_switch_II[@]}" 1
look '[ "$II_columns" -eq 0 ] && [ "$I_columns" -gt 450 ]'
check $? "channel II's switch takes its trace away" "II: $II_columns columns"

xdotool windowfocus --sync "$main" 2>/dev/null
xdotool key space
sleep 1
measure "$main" "$scope_shot"
first=$shot
sleep 1
measure "$main" "$scope_shot"
differing=$(compare -metric AE "$workdir/shot$first.png" "$workdir/shot$shot.png" null: 2>&1)
check "$([ "$differing" = 0 ] && echo 0 || echo 1)" "space holds the picture" "$differing pixels changed in 1 s"

xdotool key space
sleep 1
measure "$main" "$scope_shot"
differing=$(compare -metric AE "$workdir/shot$first.png" "$workdir/shot$shot.png" null: 2>&1)
check "$([ "$differing" != 0 ] && echo 0 || echo 1)" "space again makes it live" "$differing pixels changed"
check "$([ -z "$(message_boxes "$main")" ] && echo 0 || echo 1)" "no message box came up"

press_power "$main"
wait_exit 10
check $? "the power switch ends the program"
check "$([ "$exit_status" = 0 ] && echo 0 || echo 1)" "the program ends with status 0" "status ${exit_status:-none}"
finish
