#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The accessibility walk (a11y.py) on an X display and a session bus of its own, where the
# accessibility bus is started on demand as on a desktop. Everything started here is stopped
# by its process id; the session bus takes the accessibility bus along.
#   a11y.sh PROGRAM STANDIN
set -euo pipefail
work="$TARVIK_TEST_WORKDIR/a11y"
rm -rf "$work"
mkdir -p "$work"
Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
trap 'kill "$xvfb_pid"; wait "$xvfb_pid" || true' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start:"; cat "$work/xvfb.log"; exit 1; }
DISPLAY=":$(cat "$work/display")" dbus-run-session -- /usr/bin/python3 "$(dirname "$0")/a11y.py" "$@" 2>"$work/session.log" ||
    { status=$?; tail -30 "$work/session.log"; exit "$status"; }
