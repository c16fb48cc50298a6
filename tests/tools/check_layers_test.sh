#!/usr/bin/env bash
# The layer check over small trees of one file each: what points down passes, and every kind of
# wrong arrow fails.
# Usage: check_layers_test.sh tools/check-layers
set -euo pipefail
check=$1
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
passed=0
failed=0

# expect pass|fail FILE LINE: a tree holding only FILE, whose one line is LINE.
expect() {
  local wanted=$1 file=$2 line=$3 got
  rm -rf "$tree" && mkdir -p "$tree/$(dirname "$file")"
  git -C "$tree" init -q
  printf '%s\n' "$line" >"$tree/$file"
  if "$check" "$tree" >/dev/null 2>&1; then got=pass; else got=fail; fi
  if [ "$got" = "$wanted" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $file with '$line' should $wanted, did $got"
  fi
}

expect pass src/sound/a.cpp '#include "sound/wave.h"'
expect pass src/sound/a.cpp '#include "device/library_cache.h"'
expect pass src/app/a.cpp '#include "platform/mixer/mixer_functions.h"'
expect pass src/display/a.cpp '#include "platform/draw/draw_interfaces.h"'
expect pass src/display/a.cpp '#include "platform/draw/gdi_functions.h"'
expect pass src/display/a.cpp '#include <QWidget>'
expect pass src/sound/a.cpp '#include <QCoreApplication>'
expect pass tests/display/a.cpp '#include "platform/draw/software_device.h"'
expect pass tests/sound/a.cpp '#include "support/tone_player.h"'
expect fail src/sound/a.cpp '#include "display/dx_draw.h"'
expect fail src/display/a.cpp '#include "sound/dx_sound.h"'
expect fail src/device/a.cpp '#include "framework/form.h"'
expect pass src/platform/a.cpp '#include "rtl/stream.h"'
expect fail src/rtl/a.cpp '#include "platform/guid.h"'
expect fail src/display/a.cpp '#include "platform/draw/software_device.h"'
expect fail src/display/a.cpp '#include "platform/draw/device_context.h"'
expect fail src/sound/a.cpp '#include "platform/audio/alsa_capture_device.h"'
expect fail src/sound/a.cpp '#include <QWidget>'
expect fail src/platform/a.cpp '#include <QtWidgets/QLabel>'
expect fail tests/sound/a.cpp '#include "display/dx_draw.h"'
expect fail src/gadgets/a.cpp '#include "rtl/stream.h"'

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
