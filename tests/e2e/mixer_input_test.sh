#!/usr/bin/env bash
# The recording input through the sound server's mixer, as a new user meets it: the line input's
# radio button shows the default source's name instead of its designed caption, the scope holds
# the source at its volume (an outside change comes back), and the power switch gives the desktop
# its own volume back; the sound server going away and coming back while it runs leaves it
# running. Without a sound server the program starts all the same, says what it must
# and the power switch ends it.
# Arguments: the program, tools/pulse-server.
set -uo pipefail
program=$1
pulse_server=$2
source "$(dirname "$0")/scope_session.sh"
runtime=${VEXILO_TEST_RUNTIME:?run under tools/with-test-services}

source_volume() { pactl get-source-volume @DEFAULT_SOURCE@ 2>/dev/null | sed -n 's/^Volume: [^:]*: *\([0-9]*\) .*/\1/p'; }
# The scope's 0x8000 of 0xFFFF on the server's scale of 65536.
held=32769
wait_volume() { # wait_volume VALUE: up to a second
  for _ in $(seq 10); do
    [ "$(source_volume)" = "$1" ] && return 0
    sleep 0.1
  done
  return 1
}
# The line input's radio button caption (client 400,544, 113 x 17, past its mark).
caption_shot() { # caption_shot MAIN_WINDOW FILE
  import -window "$1" -crop 90x15+418+545 +repage "$2" 2>/dev/null
}

pactl set-source-volume @DEFAULT_SOURCE@ 65536
start_program "$program"
main=$(wait_main_window 20)
check $? "the window captioned Scope comes up" "${main:-none}"
[ -n "$main" ] || { cat "$workdir/program.log"; finish; }
wait_volume $held
check $? "the scope holds the recording input at its volume" "$(source_volume)"
pactl set-source-volume @DEFAULT_SOURCE@ 20000
wait_volume $held
check $? "a volume changed elsewhere returns within a second" "$(source_volume)"
check "$([ -z "$(message_boxes "$main")" ] && echo 0 || echo 1)" "no message box came up"
sleep 1
caption_shot "$main" "$workdir/named.png"
press_power "$main"
wait_exit 10
check "$([ "$exit_status" = 0 ] && echo 0 || echo 1)" "the power switch ends the program with status 0" \
  "status ${exit_status:-none}"
check "$([ "$(source_volume)" = 65536 ] && echo 0 || echo 1)" "the desktop gets its own volume back" "$(source_volume)"

start_program "$program"
main=$(wait_main_window 20)
check $? "second run: the window comes up" "${main:-none}"
[ -n "$main" ] || { cat "$workdir/program.log"; finish; }
sleep 2
"$pulse_server" stop "$runtime"
cleanup_steps+=("\"$pulse_server\" start \"$runtime\" >/dev/null")
sleep 2
"$pulse_server" start "$runtime" >/dev/null
sleep 2
running
check $? "the scope survives the sound server going away and coming back"
dismiss_boxes "$main"
press_power "$main"
wait_exit 10
check "$([ "$exit_status" = 0 ] && echo 0 || echo 1)" "and its power switch still ends it with status 0" \
  "status ${exit_status:-none}"

"$pulse_server" stop "$runtime"
start_program "$program"
main=$(wait_main_window 20)
check $? "without a sound server the window still comes up" "${main:-none}"
[ -n "$main" ] || { cat "$workdir/program.log"; finish; }
for _ in $(seq 50); do
  [ -n "$(message_boxes "$main")" ] && break
  sleep 0.1
done
dismiss_boxes "$main"
check "$([ "$dismissed" -ge 1 ] && echo 0 || echo 1)" "it says that it cannot record" "$dismissed box(es)"
sleep 1
caption_shot "$main" "$workdir/designed.png"
differing=$(compare -metric AE "$workdir/named.png" "$workdir/designed.png" null: 2>&1)
check "$([ "$differing" != 0 ] && echo 0 || echo 1)" "the line button showed the input's name, not its designed caption" \
  "$differing pixels differ"
press_power "$main"
wait_exit 10
check "$([ "$exit_status" = 0 ] && echo 0 || echo 1)" "the power switch still ends it with status 0" "status ${exit_status:-none}"
finish
