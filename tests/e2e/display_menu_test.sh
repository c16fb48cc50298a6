#!/usr/bin/env bash
# The display's context menu as a new user finds it: a right click on the display (or the Menu key
# once the display has the focus) opens it, and each entry is chosen with the keyboard. The readout
# shows the tone's frequency; XY mode draws two sines a quarter turn apart as a circle; Save picture and Export traces, with the
# picture held, write a PNG and a CSV under the offered names, in the pictures and documents
# folders, that match what the display shows; a write that fails says so, and the scope goes on.
# Arguments: the program, tone_wave, display_check.
set -uo pipefail
program=$1
tone_wave=$2
display_check=$3
source "$(dirname "$0")/scope_session.sh"

# The person's own folders, where the file dialogs start.
export HOME=$workdir/home
mkdir -p "$HOME/Pictures" "$HOME/Documents"
amplitude=45 # sample units: pixels at the scope's finest scale; the traces stay apart
"$tone_wave" "$workdir/tone.wav" quadrature 1000 $((amplitude * input_gain)) 60
aplay -q -D default "$workdir/tone.wav" 2>/dev/null &
tone_player=$!
cleanup_steps+=("kill $tone_player 2>/dev/null; wait $tone_player 2>/dev/null")

display_centre=(289 267)

program_windows() { xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | sort; }

# Waits for a window of the program other than those listed in BEFORE; prints its id.
wait_new_window() { # wait_new_window BEFORE
  local window
  for _ in $(seq 100); do
    window=$(comm -13 <(echo "$1") <(program_windows) | head -n 1)
    [ -n "$window" ] && { echo "$window"; return 0; }
    sleep 0.1
  done
  return 1
}

# Opens the menu with a right click on the display and chooses the entry of the underlined KEY.
choose() { # choose KEY
  local before
  before=$(program_windows)
  xdotool mousemove --window "$main" "${display_centre[@]}" click 3
  wait_new_window "$before" >/dev/null || return 1
  sleep 0.3 # the menu takes the keyboard once it is up
  xdotool key "$1"
}

shoot() { # shoot NAME: a screenshot of the window into the scratch folder
  import -window "$main" "$workdir/$1.png" 2>/dev/null
}

# Chooses the entry of KEY and waits for the file dialog captioned CAPTION to come up and take the
# keyboard, as a person waits before typing. Should the key be lost with the menu, a person would
# open it again, and so does this.
open_dialog() { # open_dialog KEY CAPTION
  local dialog
  for _ in 1 2 3; do
    choose "$1"
    for _ in $(seq 30); do
      dialog=$(xdotool search --onlyvisible --name "^$2\$" 2>/dev/null | head -n 1)
      if [ -n "$dialog" ]; then
        xdotool windowfocus --sync "$dialog" 2>/dev/null
        sleep 0.5 # the name field has the focus once the dialog has shown
        return 0
      fi
      sleep 0.1
    done
    xdotool key Escape
    sleep 0.5
  done
  return 1
}

# Opens the file dialog of KEY captioned CAPTION, accepts the name it offers and waits for a new
# file in FOLDER and for the dialog to be gone for good (its window is destroyed only once the
# program is done with it); prints the file's path.
save_as_offered() { # save_as_offered KEY CAPTION FOLDER
  local file=""
  open_dialog "$1" "$2" || return 1
  xdotool key Return
  for _ in $(seq 100); do
    file=$(ls "$3" 2>/dev/null | head -n 1)
    [ -n "$file" ] && break
    sleep 0.1
  done
  for _ in $(seq 100); do
    xdotool search --name "^$2\$" >/dev/null 2>&1 || break
    sleep 0.1
  done
  [ -n "$file" ] && echo "$3/$file"
}

start_program "$program"
main=$(wait_main_window 20)
check $? "the window captioned Scope comes up" "${main:-none}"
[ -n "$main" ] || { cat "$workdir/program.log"; finish; }
sleep 2

choose x
check $? "a right click on the display opens its menu"
figure_ok=1
for _ in $(seq 10); do
  sleep 0.5
  shoot xy
  "$display_check" "$workdir/xy.png" circle $amplitude >"$workdir/xy.txt" && { figure_ok=0; break; }
done
cat "$workdir/xy.txt"
check $figure_ok "XY mode shows two sines a quarter turn apart as a circle"
choose x

# The display takes the focus with a click, and the Menu key opens the same menu there.
before=$(program_windows)
xdotool mousemove --window "$main" "${display_centre[@]}" click 1
xdotool key Menu
wait_new_window "$before" >/dev/null
check $? "the Menu key opens the menu while the display has the focus"
sleep 0.3
xdotool key m
readout_ok=1
for _ in $(seq 10); do
  sleep 0.5
  shoot readout
  "$display_check" "$workdir/readout.png" readout >"$workdir/readout.txt"
  # "I   1.000 kHz  ..." with the frequency within 1 % of the tone's
  awk 'NR <= 2 { f = $2 * ($3 == "kHz" ? 1000 : 1); if (f < 990 || f > 1010) bad = 1 } END { exit bad || NR != 2 }' \
    "$workdir/readout.txt" && { readout_ok=0; break; }
done
check $readout_ok "the readout shows both channels at the tone's frequency" "$(paste -sd '|' "$workdir/readout.txt")"
choose m
sleep 1

xdotool key space # the picture holds while capture goes on
sleep 1
shoot held
picture=$(save_as_offered s "Save picture" "$HOME/Pictures")
check $? "Save picture writes into the pictures folder" "${picture:-nothing}"
[[ ${picture##*/} =~ ^vexilo-[0-9]{4}-[0-9]{2}-[0-9]{2}-[0-9]{6}\.png$ ]]
check $? "the offered name holds the date and time" "${picture##*/}"
[ -n "$picture" ] && "$display_check" "$workdir/held.png" picture "$picture"
check $? "the saved picture is the held picture"

traces=$(save_as_offered e "Export traces" "$HOME/Documents")
check $? "Export traces writes into the documents folder" "${traces:-nothing}"
[ -n "$traces" ] && "$display_check" "$workdir/held.png" export "$traces"
check $? "the exported traces are the held traces"

# A folder where not even root may make a file: the write fails with a message box, and the scope
# goes on with what it had.
fail_export() {
  open_dialog e "Export traces" || return 1
  xdotool key ctrl+a
  xdotool type --delay 20 /sys/vexilo.csv
  xdotool key Return
  for _ in $(seq 50); do
    [ -n "$(message_boxes "$main")" ] && return 0
    sleep 0.1
  done
  return 1
}
fail_export
check $? "a failed export is reported"
dismiss_boxes "$main"
[ -n "$traces" ] && [ "$(ls "$HOME/Documents")" = "${traces##*/}" ]
check $? "the earlier export is still there, alone"

# Told to stop while the message box is up, the scope still ends as its power switch does.
fail_export
kill -TERM "$program_pid"
wait_exit 10
check $? "a stop signal ends the program while a message box is up" "${exit_after:-still running}"
check "${exit_status:-1}" "it ends with status 0" "status ${exit_status:-none}"
[ -f "$settings_file" ]
check $? "the settings are saved"
finish
