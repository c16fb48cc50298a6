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

"$tone_wave" "$workdir/tone.wav" sine 1000 $((40 * input_gain)) 60
aplay -q -D default "$workdir/tone.wav" &
player=$!
cleanup_steps+=("kill $player 2>/dev/null; wait $player 2>/dev/null")

start_program "$program"
main=$(wait_main_window 20)
check $? "the window captioned Scope comes up" "${main:-none}"
[ -n "$main" ] || { cat "$workdir/program.log"; finish; }

# Client positions of the controls a person clicks: a control's bounds within its channel panel
# (I at 552,48; II at 622,48), or on the window itself.
click() { # click X Y BUTTON
  xdotool mousemove --window "$main" "$1" "$2" click "$3"
  xdotool mousemove --window "$main" 300 570 # away, over the window's own background
}
volts_knob_I=(587 210)
time_knob_I=(581 314)
channel_switch_II=(654 22)

shot=0
measure() { # measure VAR: a fresh screenshot's line for channel I or II into I_* / II_* variables
  shot=$((shot + 1))
  import -window "$main" "$workdir/shot$shot.png" 2>/dev/null
  local line name key value
  while read -r line; do
    name=${line%% *}
    for pair in ${line#* }; do
      key=${pair%%=*}
      value=${pair#*=}
      printf -v "${name}_$key" '%s' "$value"
    done
  done < <("$scope_shot" "$workdir/shot$shot.png" measure)
}
# Waits for the picture to show what a check expects; traces of separate channels come in their
# own frames, so several looks may be needed.
settle() { # settle CONDITION...
  for _ in $(seq 20); do
    measure
    eval "$*" && return 0
    sleep 0.3
  done
  return 1
}

sleep 2
settle '[ "$I_columns" -gt 450 ] && [ "$II_columns" -gt 450 ]'
check $? "both traces show" "I: $I_columns columns, II: $II_columns columns"
height=$I_height
period=$I_period

click "${volts_knob_I[@]}" 3
settle '[ "$I_height" -le $((height * 5 / 8)) ] && [ "$I_height" -ge $((height * 3 / 8)) ]'
check $? "a right click on channel I's volts/div knob halves its trace" "height $height -> $I_height"

click "${time_knob_I[@]}" 3
settle 'awk -v a="$I_period" -v b="$period" "BEGIN { exit !(a > b * 0.4 && a < b * 0.6) }"'
check $? "a right click on channel I's time knob halves its period" "period $period -> $I_period pixels"

click "${channel_switch_II[@]}" 1
settle '[ "$II_columns" -eq 0 ] && [ "$I_columns" -gt 450 ]'
check $? "channel II's switch takes its trace away" "II: $II_columns columns"

xdotool windowfocus --sync "$main" 2>/dev/null
xdotool key space
sleep 1
measure
first=$shot
sleep 1
measure
differing=$(compare -metric AE "$workdir/shot$first.png" "$workdir/shot$shot.png" null: 2>&1)
check "$([ "$differing" = 0 ] && echo 0 || echo 1)" "space holds the picture" "$differing pixels changed in 1 s"

xdotool key space
sleep 1
measure
differing=$(compare -metric AE "$workdir/shot$first.png" "$workdir/shot$shot.png" null: 2>&1)
check "$([ "$differing" != 0 ] && echo 0 || echo 1)" "space again makes it live" "$differing pixels changed"
check "$([ -z "$(message_boxes "$main")" ] && echo 0 || echo 1)" "no message box came up"

press_power "$main"
wait_exit 10
check $? "the power switch ends the program"
check "$([ "$exit_status" = 0 ] && echo 0 || echo 1)" "the program ends with status 0" "status ${exit_status:-none}"
finish
