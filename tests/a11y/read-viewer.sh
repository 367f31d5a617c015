#!/usr/bin/env bash
# Starts the viewer in a virtual X server inside a session bus of its own, with the
# accessibility bus and its registry, and reads it with ReadViewer.py. Fails, never skips, when
# any of these cannot be started.
#   read-viewer.sh VIEWER CATALOGUE_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ "${1:-}" != --inside ]; then
  for tool in xvfb-run dbus-run-session xdotool /usr/bin/python3 /usr/libexec/at-spi-bus-launcher; do
    command -v "$tool" >/dev/null || { echo "read-viewer: $tool is missing" >&2; exit 1; }
  done
  exec xvfb-run -a -s "-screen 0 1280x800x24" dbus-run-session -- "$0" --inside "$@"
fi
shift
viewer=$1 catalogue=$2
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_STATE_HOME=$work/state XDG_DATA_HOME=$work/data
export XDG_RUNTIME_DIR=$work/run && mkdir -m 700 "$XDG_RUNTIME_DIR"
/usr/libexec/at-spi-bus-launcher --launch-immediately 2>"$work/bus.log" &
for _ in $(seq 50); do
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1 && break
  sleep 0.1
done
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null ||
  { echo "read-viewer: the accessibility bus did not start" >&2; cat "$work/bus.log" >&2; exit 1; }
QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 \
  "$viewer" "$catalogue" >"$work/viewer.log" 2>&1 &
/usr/bin/python3 "$here/ReadViewer.py"
