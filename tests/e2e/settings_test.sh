#!/usr/bin/env bash
# Settings kept between runs, as a new user meets them: the first power-off writes the settings
# file with its twenty keys in their order; a second start with edited keys shows the traces where
# they say; a file of garbage starts with the initial values and the next power-off writes a sound
# file; a settings folder that cannot be written is reported and the program still ends with
# status 0; SIGTERM ends it through the same path and writes the file.
# Arguments: the program, tone_wave, scope_shot.
set -uo pipefail
program=$1
tone_wave=$2
scope_shot=$3
source "$(dirname "$0")/scope_session.sh"

play_tone "$tone_wave" 40 120
look() { settle "$main" "$scope_shot" "$@"; }

run_until_power_off() { # run_until_power_off WHAT: starts, runs "during" if set, powers off
  start_program "$program"
  main=$(wait_main_window 20)
  check $? "$1: the window comes up" "${main:-none}"
  [ -n "$main" ] || { cat "$workdir/program.log"; finish; }
  sleep 2
  [ -n "${during:-}" ] && eval "$during"
  dismiss_boxes "$main"
  press_power "$main"
  sleep 1
  dismiss_boxes "$main" # a box that reports the saving
  wait_exit 10
  check "$([ "$exit_status" = 0 ] && echo 0 || echo 1)" "$1: the power switch ends it with status 0" \
    "status ${exit_status:-none}"
}

during=""
run_until_power_off "first run"
keys=$(sed -n 's/=.*//p' "$settings_file" 2>/dev/null | tr '\n' ' ')
expected="Flags ShowCmd PixelsPerInch MinMaxPos(1024x768) MinMaxPos NormPos(1024x768) NormPos Visible VDVlI_Tag \
VDVlI_Text VDVlII_Text VDVlII_Tag ImageArrI_Tag ImageArrII_Tag HorizontAnmI_Tag HorizontAnmII_Tag VoltBtI_Tag \
TimeVlI_Text CntVolI_Tag CntVolII_Tag "
check "$([ "$keys" = "$expected" ] && echo 0 || echo 1)" "the settings file holds its twenty keys in order" "$keys"
grep -qx "VDVlI_Text=0.00500000000000256" "$settings_file" && grep -qx "ImageArrI_Tag=505" "$settings_file" &&
  grep -qx "CntVolII_Tag=32768" "$settings_file"
check $? "with the initial values"

# Channel I to start at column 101; channel II at twice the volts per division.
sed -i 's/^HorizontAnmI_Tag=.*/HorizontAnmI_Tag=101/; s/^VDVlII_Tag=.*/VDVlII_Tag=1/' "$settings_file"
during='look "[ \"\$I_first\" -ge 99 ] && [ \"\$I_first\" -le 102 ] && [ \"\$II_columns\" -gt 450 ] && [ \"\$II_height\" -le \$((I_height * 5 / 8)) ]"
  check $? "the edited keys show: channel I starts at column 101, channel II half as high" \
    "I from column $I_first, height $I_height; II height $II_height"'
run_until_power_off "edited settings"
grep -qx "HorizontAnmI_Tag=101" "$settings_file"
check $? "the next power-off keeps the edited position"

head -c 3000 /dev/urandom >"$settings_file"
during='look "[ \"\$I_first\" -le 2 ] && [ \"\$I_columns\" -gt 450 ] && [ \"\$II_columns\" -gt 450 ]"
  check $? "a file of garbage starts the scope with its initial values" "I from column $I_first"'
run_until_power_off "garbage settings"
grep -qx "HorizontAnmI_Tag=1" "$settings_file" && grep -qx "VDVlII_Tag=0" "$settings_file"
check $? "the next power-off writes a sound file"

rm -rf "$XDG_CONFIG_HOME/vexilo"
start_program "$program"
main=$(wait_main_window 20)
check $? "unwritable folder: the window comes up" "${main:-none}"
[ -n "$main" ] || { cat "$workdir/program.log"; finish; }
sleep 1
touch "$XDG_CONFIG_HOME/vexilo" # a file where the folder would be made: no one can write there
press_power "$main"
for _ in $(seq 50); do
  [ -n "$(message_boxes "$main")" ] && break
  sleep 0.1
done
dismiss_boxes "$main"
check "$([ "$dismissed" = 1 ] && echo 0 || echo 1)" "a folder that cannot be written is reported once" "$dismissed box(es)"
wait_exit 10
check "$([ "$exit_status" = 0 ] && echo 0 || echo 1)" "and the program ends with status 0" "status ${exit_status:-none}"
rm -f "$XDG_CONFIG_HOME/vexilo"

start_program "$program"
main=$(wait_main_window 20)
check $? "SIGTERM: the window comes up" "${main:-none}"
sleep 2
kill -TERM "$program_pid"
wait_exit 10
check "$([ "$exit_status" = 0 ] && echo 0 || echo 1)" "SIGTERM ends the program with status 0" "status ${exit_status:-none}"
grep -qx "CntVolI_Tag=32768" "$settings_file"
check $? "and writes the settings file"
finish
