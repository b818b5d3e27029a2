#!/bin/bash
# Runs a benchmark as an accessibility client's desktop would: an X server, a
# session bus with the accessibility bus on it, and Qt's bridge switched on,
# so that every event the windows send goes out to that bus.
#   bash bench/MitZugang.sh build/bench/bench_scanlauf 70000 5 40000
set -euo pipefail
launcher=/usr/libexec/at-spi-bus-launcher
for programm in Xvfb xvfb-run dbus-run-session "$launcher"; do
  command -v "$programm" >/dev/null || { echo "needs $programm (apt-get install xvfb dbus at-spi2-core)" >&2; exit 1; }
done
exec dbus-run-session -- bash -c '
  "$0" --launch-immediately &
  bus=$!
  trap "kill $bus 2>/dev/null" EXIT
  sleep 1
  xvfb-run -a env QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$@"
' "$launcher" "$@"
