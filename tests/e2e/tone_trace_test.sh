#!/usr/bin/env bash
# A 1 kHz tone plays into the test sound server while the scope runs: the screenshot of its window
# must show the graticule and both traces with one period per (capture rate / 1000) pixels, and
# the power switch must end the program with status 0.
# Arguments: the program, tone_wave, scope_shot.
set -uo pipefail
program=$1
tone_wave=$2
scope_shot=$3
source "$(dirname "$0")/scope_session.sh"

frequency=1000
amplitude=40 # sample units: pixels at the scope's finest scale

play_tone "$tone_wave" $amplitude 60

start_program "$program"
main=$(wait_main_window 20)
check $? "the window captioned Scope comes up" "${main:-none}"
[ -n "$main" ] || { cat "$workdir/program.log"; finish; }

# The capture format the program records with, as the sound server sees its record stream (the
# program is the only one recording).
format=""
for _ in $(seq 100); do
  format=$(pactl list short source-outputs 2>/dev/null | cut -f 5 | head -n 1)
  [ -n "$format" ] && break
  sleep 0.1
done
check "$([[ $format == s16le\ 2ch\ *Hz ]] && echo 0 || echo 1)" "the program records 16-bit stereo" \
  "${format:-no record stream}"
rate=${format##* }
rate=${rate%Hz}
if [[ $rate =~ ^[0-9]+$ ]]; then
  check "$([ "$rate" = 96000 ] && echo 0 || echo 1)" "the highest rate the server accepts is chosen" "$rate Hz"
else
  rate=96000 # what the panel must show on this server; the picture is checked against it
fi
period=$(awk -v r="$rate" -v f=$frequency 'BEGIN { printf "%.2f", r / f }')

# Frames follow within a second or two of the start. A frame may hold one channel only (each is
# drawn when its own frames are ready), so look several times before calling it wrong.
shot_result=1
sleep 2
for attempt in $(seq 10); do
  [ "$attempt" -eq 1 ] || sleep 0.5
  boxes=$(message_boxes "$main")
  [ -z "$boxes" ] || break
  import -window "$main" "$workdir/scope.png" 2>/dev/null || continue
  "$scope_shot" "$workdir/scope.png" "$period" $amplitude >"$workdir/shot.txt"
  shot_result=$?
  [ $shot_result -eq 0 ] && break
done
check "$([ -z "$boxes" ] && echo 0 || echo 1)" "no message box while the tone plays"
sed 's/^/  /' "$workdir/shot.txt" 2>/dev/null
check $shot_result "the screenshot shows the graticule and both traces at the tone's period" "after $attempt attempts"

press_power "$main"
wait_exit 10
check $? "the power switch ends the program"
check "$([ "$exit_status" = 0 ] && echo 0 || echo 1)" "the program ends with status 0" \
  "status ${exit_status:-none}, after ${exit_after:-more than 10 s}"
finish
