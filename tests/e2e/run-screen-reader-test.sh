#!/usr/bin/env bash
# Runs screen-reader-test.py on a private session bus with its own
# accessibility bus, as a desktop session has them. Usage:
# run-screen-reader-test.sh PLAYER. Exits 77 (skipped) when they cannot be had.
set -uo pipefail
here=$(dirname "$0")
skip() {
  echo "SKIPPED: $*"
  exit 77
}
command -v dbus-run-session >/dev/null || skip "dbus-run-session is missing (dbus)"
[[ -x /usr/libexec/at-spi-bus-launcher ]] || skip "at-spi-bus-launcher is missing (at-spi2-core)"
/usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
  skip "the system python cannot load Atspi (python3-gi, gir1.2-atspi-2.0)"
exec dbus-run-session -- bash -c '
  # The accessibility bus starts when first asked for, with its registry.
  for ((i = 0; i < 50; ++i)); do
    if dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
      org.a11y.Bus.GetAddress >/dev/null 2>&1; then
      exec /usr/bin/python3 "$0" "$@"
    fi
    sleep 0.1
  done
  echo "SKIPPED: the accessibility bus did not start"
  exit 77
' "$here/screen-reader-test.py" "$@"
