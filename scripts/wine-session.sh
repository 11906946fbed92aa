#!/usr/bin/env bash
# The Wine session of a ctest run of the win64 preset, its fixture "wine": a
# virtual display and one wineserver, started before the first test that
# needs them and stopped after the last. The tests name the prefix and the
# display in EP_WINEPREFIX and EP_DISPLAY.
#   usage: scripts/wine-session.sh start|stop
set -uo pipefail
. "$(dirname "$0")/wine-env.sh"
ep_wine_stop
ep_xvfb_stop
case "${1:-}" in
  start) ep_xvfb_start && ep_wine_start && echo "Wine session: $WINEPREFIX on $DISPLAY" ;;
  stop) echo "Wine session stopped" ;;
  *) echo "usage: $0 start|stop" >&2; exit 2 ;;
esac
