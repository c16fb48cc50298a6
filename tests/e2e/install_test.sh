#!/usr/bin/env bash
# The desktop install as a person gets it: `cmake --install` of the build tree into a fresh prefix
# (with a space in its name, as a home folder may have) puts each file in its place and nothing
# else, and the desktop entry names that prefix, not the configured one. Started as the entry
# says, the installed program comes up, its calibration test plays the installed Test.wav (the
# 1 kHz trace shows, no "not found" box), and the power switch ends it with status 0. Staged
# under DESTDIR, the entry still names the prefix alone.
# Arguments: the build tree, scope_shot.
set -uo pipefail
build=$1
scope_shot=$2
source "$(dirname "$0")/scope_session.sh"

# A desktop entry's string value with its escapes undone.
unescape() { # unescape VALUE
  local value=$1 out="" c i
  for ((i = 0; i < ${#value}; i++)); do
    c=${value:i:1}
    if [ "$c" = '\' ]; then
      i=$((i + 1))
      case ${value:i:1} in s) c=' ' ;; n) c=$'\n' ;; t) c=$'\t' ;; r) c=$'\r' ;; *) c=${value:i:1} ;; esac
    fi
    out+=$c
  done
  printf '%s' "$out"
}

# The words of an Exec value as a launcher splits them, each ended by a NUL. Only "%%" (a
# percent sign) is taken of the field codes, inside quotes or not; the others expand to nothing
# here, as for a launch without files.
exec_words() { # exec_words VALUE
  local value word="" quoted=0 c i
  value=$(unescape "$1")
  for ((i = 0; i < ${#value}; i++)); do
    c=${value:i:1}
    if [ "$c" = % ]; then
      i=$((i + 1))
      [ "${value:i:1}" = % ] && word+=%
    elif [ $quoted = 1 ]; then
      case $c in
      '\') i=$((i + 1)) && word+=${value:i:1} ;;
      '"') quoted=0 ;;
      *) word+=$c ;;
      esac
    else
      case $c in
      ' ') [ -n "$word" ] && printf '%s\0' "$word" && word="" ;;
      '"') quoted=1 ;;
      *) word+=$c ;;
      esac
    fi
  done
  [ -n "$word" ] && printf '%s\0' "$word"
}

entry_key() { sed -n "s/^$2=//p" "$1"; } # entry_key ENTRY KEY

prefix="$workdir/install root"
cmake --install "$build" --prefix "$prefix" >"$workdir/install.log" 2>&1
check $? "cmake --install into a fresh prefix" "$(tail -n 1 "$workdir/install.log")"

expected="bin/vexilo
share/applications/vexilo.desktop
share/icons/hicolor/128x128/apps/vexilo.png
share/icons/hicolor/256x256/apps/vexilo.png
share/icons/hicolor/48x48/apps/vexilo.png
share/man/man1/vexilo.1
share/vexilo/Test.wav"
installed=$(cd "$prefix" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)
[ "$installed" = "$expected" ]
check $? "the program, desktop entry, icons, Test.wav and man page are there, nothing else" \
  "$(echo $installed)"
[ -x "$prefix/bin/vexilo" ] && cmp -s "$build/src/app/Test.wav" "$prefix/share/vexilo/Test.wav"
check $? "the program is executable and Test.wav is the build's"
for size in 48 128 256; do
  shape=$(identify -format '%m %wx%h' "$prefix/share/icons/hicolor/${size}x$size/apps/vexilo.png" 2>&1)
  check "$([ "$shape" = "PNG ${size}x$size" ] && echo 0 || echo 1)" "the ${size}x$size icon is a PNG of that size" \
    "$shape"
done
man_warnings=$(MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/vexilo.1" 2>&1 >"$workdir/man.txt")
[ -z "$man_warnings" ] && grep -q "^NAME" "$workdir/man.txt" && grep -q "Export traces" "$workdir/man.txt"
check $? "the man page renders without warnings" "$man_warnings"

entry=$prefix/share/applications/vexilo.desktop
validation=$(desktop-file-validate "$entry" 2>&1)
check $? "the desktop entry passes desktop-file-validate" "$validation"
[ -z "$validation" ]
check $? "desktop-file-validate has nothing to say about it"
[ "$(entry_key "$entry" Name)" = Scope ] && [ "$(entry_key "$entry" Icon)" = vexilo ]
check $? "the entry is named Scope and shows the vexilo icon"
mapfile -d '' command < <(exec_words "$(entry_key "$entry" Exec)")
[ ${#command[@]} = 1 ] && [ "${command[0]}" = "$prefix/bin/vexilo" ]
check $? "Exec runs the installed program" "$(entry_key "$entry" Exec)"
folder=$(unescape "$(entry_key "$entry" Path)")
[ "$folder" = "$prefix/share/vexilo" ]
check $? "Path is the installed share/vexilo" "$folder"

test_button=(590 553)
volts_knob_I=(587 210)
start_program "${command[0]}" "$folder"
main=$(wait_main_window 20)
check $? "started as the entry says, the window captioned Scope comes up" "${main:-none}"
[ -n "$main" ] || { cat "$workdir/program.log"; finish; }
sleep 2
# As in the calibration test: six steps of the volts/div knob bring the recording to 32 rows.
for _ in $(seq 6); do click_at "$main" "${volts_knob_I[@]}" 3; done
click_at "$main" "${test_button[@]}" 1
settle "$main" "$scope_shot" \
  '[ "$I_columns" -gt 450 ] && [ "$I_height" -gt 30 ] && awk -v p="$I_period" "BEGIN { exit !(p > 93 && p < 99) }"'
check $? "the test button plays the installed Test.wav: the 1 kHz trace shows" \
  "height ${I_height:-none}, period ${I_period:-none} pixels"
check "$([ -z "$(message_boxes "$main")" ] && echo 0 || echo 1)" "no message box says Test.wav is missing"
dismiss_boxes "$main" # a box left up would keep the program from ending
press_power "$main"
wait_exit 10
check "$([ "$exit_status" = 0 ] && echo 0 || echo 1)" "the power switch ends it with status 0" "status ${exit_status:-none}"
[ -f "$settings_file" ] && [ -z "$(cd "$prefix" && find . -newer "$entry" ! -type d)" ]
check $? "the settings go to XDG_CONFIG_HOME, nothing into the installed folders"

# A package build stages the files under DESTDIR; the entry names where they will finally be.
DESTDIR=$workdir/stage cmake --install "$build" --prefix /opt/vexilo >"$workdir/stage.log" 2>&1
staged=$workdir/stage/opt/vexilo/share/applications/vexilo.desktop
[ "$(entry_key "$staged" Exec)" = /opt/vexilo/bin/vexilo ] && [ "$(entry_key "$staged" Path)" = /opt/vexilo/share/vexilo ]
check $? "staged under DESTDIR, Exec and Path name the prefix alone" \
  "$(entry_key "$staged" Exec) in $(entry_key "$staged" Path)"
finish
