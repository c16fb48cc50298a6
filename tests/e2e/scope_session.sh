# Shared by the end-to-end scripts: runs the real program on the test display in a scratch
# directory, finds its windows, presses its power switch and
# counts the checks. Sourced, not run.
export DISPLAY=${VEXILO_TEST_DISPLAY:?run under tools/with-test-services}
passed=0
failed=0
program_pid=""
workdir=$(mktemp -d)
cleanup_steps=()

cleanup() {
  local step
  for step in "${cleanup_steps[@]}"; do eval "$step"; done
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
    kill "$program_pid"
    wait "$program_pid" 2>/dev/null
  fi
  rm -rf "$workdir"
}
trap cleanup EXIT

check() { # check CONDITION-STATUS WHAT [DETAIL]
  if [ "$1" -eq 0 ]; then
    echo "PASS $2${3:+: $3}"
    passed=$((passed + 1))
  else
    echo "FAIL $2${3:+: $3}"
    failed=$((failed + 1))
  fi
}

finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}

# Each run keeps its settings file in its own scratch folder: vexilo/vexilo.INI under it.
export XDG_CONFIG_HOME=$workdir/config
settings_file=$XDG_CONFIG_HOME/vexilo/vexilo.INI

# The scope holds its recording input at half the sound server's volume scale (0x8000 of
# 0xFFFF) until it is calibrated, and the server's scale is cubic: what comes back is an eighth
# of what is played. Tones are played this much louder to show at the amplitude a test names.
input_gain=8

# Plays a 1 kHz sine into the test sound server until the script ends; AMPLITUDE in the sample
# units the scope shows (pixels at its finest scale).
play_tone() { # play_tone TONE_WAVE AMPLITUDE SECONDS
  "$1" "$workdir/tone.wav" sine 1000 $(($2 * input_gain)) "$3"
  aplay -q -D default "$workdir/tone.wav" 2>/dev/null &
  tone_player=$!
  cleanup_steps+=("kill $tone_player 2>/dev/null; wait $tone_player 2>/dev/null")
}

# Starts the program in FOLDER, the scratch directory unless given.
start_program() { # start_program PROGRAM [FOLDER]
  (cd "${2:-$workdir}" && exec "$1" >"$workdir/program.log" 2>&1) &
  program_pid=$!
}

running() { kill -0 "$program_pid" 2>/dev/null; }

# The visible top-level windows captioned "Scope", one id a line.
scope_windows() { xdotool search --onlyvisible --name '^Scope$' 2>/dev/null; }

window_size() { xdotool getwindowgeometry "$1" 2>/dev/null | sed -n 's/.*Geometry: //p'; }

# Waits up to SECONDS for the main window (the one with the fixed 693x585 client area) and prints its id.
wait_main_window() { # wait_main_window SECONDS
  local window
  for _ in $(seq $(($1 * 10))); do
    for window in $(scope_windows); do
      [ "$(window_size "$window")" = "693x585" ] && { echo "$window"; return 0; }
    done
    running || return 1
    sleep 0.1
  done
  return 1
}

# Prints the ids of visible "Scope" windows other than the main window.
message_boxes() { # message_boxes MAIN_WINDOW
  scope_windows | grep -vx "$1"
}

# Dismisses every box that comes up (each failed step may report its own) with Return, as a user
# would; sets dismissed to how many there were.
dismissed=0
dismiss_boxes() { # dismiss_boxes MAIN_WINDOW
  local box
  dismissed=0
  for _ in $(seq 5); do
    box=$(message_boxes "$1" | head -n 1)
    [ -n "$box" ] || break
    xdotool windowfocus --sync "$box" 2>/dev/null
    xdotool key Return
    for _ in $(seq 50); do
      scope_windows | grep -qx "$box" || break
      sleep 0.1
    done
    dismissed=$((dismissed + 1))
    sleep 0.5
  done
}

# A left press in the middle of the power switch (client 16,530, 50 x 53).
press_power() { # press_power MAIN_WINDOW
  xdotool mousemove --window "$1" 41 556 click 1
}

# Where a person clicks: the centre of a control given by its client bounds (left, top, width,
# height; a channel panel's children relative to their panel, I at 552,48 and II at 622,48).
click_at() { # click_at MAIN_WINDOW X Y BUTTON
  xdotool mousemove --window "$1" "$2" "$3" click "$4"
  xdotool mousemove --window "$1" 300 570 # away, over the window's own background
}

# A screenshot's traces: sets I_columns, I_first, I_height, I_period and the same for II.
shot=0
measure() { # measure MAIN_WINDOW SCOPE_SHOT
  shot=$((shot + 1))
  import -window "$1" "$workdir/shot$shot.png" 2>/dev/null
  local line name pair
  while read -r line; do
    name=${line%% *}
    for pair in ${line#* }; do
      printf -v "${name}_${pair%%=*}" '%s' "${pair#*=}"
    done
  done < <("$2" "$workdir/shot$shot.png" measure)
}

# Measures until CONDITION holds, for up to about six seconds: each channel's trace comes in its
# own frames, so several looks may be needed.
settle() { # settle MAIN_WINDOW SCOPE_SHOT CONDITION
  local window=$1 shooter=$2
  shift 2
  for _ in $(seq 20); do
    measure "$window" "$shooter"
    eval "$*" && return 0
    sleep 0.3
  done
  return 1
}

# Waits up to SECONDS for the program to end; sets exit_status and exit_after (how long it took),
# and fails if the program still runs. Not for a subshell: only this shell can reap the program.
exit_status=""
exit_after=""
wait_exit() { # wait_exit SECONDS
  local tenths
  for tenths in $(seq 0 $(($1 * 10))); do
    if ! running; then
      wait "$program_pid"
      exit_status=$?
      exit_after="$((tenths / 10)).$((tenths % 10)) s"
      program_pid=""
      return 0
    fi
    sleep 0.1
  done
  return 1
}
