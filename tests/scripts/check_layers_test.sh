#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The layer check passes on the repository and catches includes planted
# against the layer order, naming each file and line.
set -euo pipefail
root=$1
check="$root/scripts/check-layers"
"$check" "$root"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$root/src" "$root/tools" "$work/"
plant() { printf '%s\n' "$2" >> "$work/$1"; wc -l < "$work/$1" | tr -d ' '; }
sideways=$(plant src/products/aprs_file.cpp '#include "astro/locator.h"')
up=$(plant src/settings/ini_file.cpp '#include "core/clockwork.h"')
gui=$(plant src/core/clockwork.cpp '#include <QLabel>')
window=$(plant tools/dump/main.cpp '#include "widgets/tool_window.h"')
# The logic of a folder that also holds windows stays below them.
logic_gui=$(plant src/ui/thermometer_scale.cpp '#include <QPainter>')
logic_up=$(plant src/explorer/plot_scale.cpp '#include "explorer/explorer_window.h"')
beside=$(plant src/ui/column_layout.cpp '#include "core/clockwork.h"')
# The outlets stand side by side below the runtime and above the products.
mqtt_beside=$(plant src/mqtt/mqtt_config.cpp '#include "uploads/upload_config.h"')
mqtt_gui=$(plant src/mqtt/mqtt_publisher.cpp '#include <QWidget>')
web_up=$(plant src/web/web_page.cpp '#include "core/clockwork.h"')
web_below=$(plant src/products/weather_log.cpp '#include "web/web_page.h"')
uploads_window=$(plant src/uploads/upload_schedule.cpp '#include "uploads/wu_dialog.h"')
if output=$("$check" "$work"); then
  echo "the check passed a tree with planted violations" >&2
  exit 1
fi
expect() {
  grep -q -F "$1" <<<"$output" || { echo "missing: $1"; echo "$output"; exit 1; } >&2
}
expect "src/products/aprs_file.cpp:$sideways:"
expect "src/settings/ini_file.cpp:$up:"
expect "src/core/clockwork.cpp:$gui:"
expect "tools/dump/main.cpp:$window:"
expect "src/ui/thermometer_scale.cpp:$logic_gui:"
expect "src/explorer/plot_scale.cpp:$logic_up:"
expect "src/ui/column_layout.cpp:$beside:"
expect "src/mqtt/mqtt_config.cpp:$mqtt_beside:"
expect "src/mqtt/mqtt_publisher.cpp:$mqtt_gui:"
expect "src/web/web_page.cpp:$web_up:"
expect "src/products/weather_log.cpp:$web_below:"
expect "src/uploads/upload_schedule.cpp:$uploads_window:"
[ "$(wc -l <<<"$output")" -eq 12 ] || { echo "unexpected lines:"; echo "$output"; exit 1; } >&2
echo "layer check: 1 clean tree passed, 12 planted violations caught"
