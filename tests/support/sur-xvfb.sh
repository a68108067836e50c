#!/usr/bin/env bash
# Runs a command on a virtual X server of its own, 1280 x 800 unless
# "--ecran" gives another screen, and exits with the command's status. The
# server picks a free display and says which once it accepts connections, so
# tests that start servers at the same moment never race for one (xvfb-run's
# "-a" does).
#   sur-xvfb.sh [--ecran LARGEURxHAUTEURxPROFONDEUR] COMMANDE [ARGUMENTS...]
# Several screens, the first one primary, are asked for with "--ecrans" or
# SUR_XVFB_ECRANS, their monitors set by the tool PLIVOR_MONITEURS names:
#   sur-xvfb.sh --ecrans "HDMI-1 1280x800+0+0 HDMI-2 1024x768+1280+0" COMMANDE...
set -u
ecran=1280x800x24
ecrans=${SUR_XVFB_ECRANS:-}
if [ "${1:-}" = "--ecran" ]; then
  ecran=$2
  shift 2
fi
if [ "${1:-}" = "--ecrans" ]; then
  ecrans=$2
  shift 2
fi
unset SUR_XVFB_ECRANS
if [ -n "$ecrans" ]; then
  # The server's screen spans them all.
  ecran=$(printf '%s\n' $ecrans | awk -F'[x+]' 'NF == 4 {
      if ($1 + $3 > l) l = $1 + $3; if ($2 + $4 > h) h = $2 + $4 } END { print l "x" h "x24" }')
fi
tube=$(mktemp -u)
mkfifo "$tube"
Xvfb -displayfd 3 -screen 0 "$ecran" -nolisten tcp -noreset 3>"$tube" 2>/dev/null &
serveur=$!
trap 'kill "$serveur" 2>/dev/null; rm -f "$tube"' EXIT
if ! read -r -t 20 numero <"$tube"; then
  echo "Xvfb n'a pas démarré" >&2
  exit 1
fi
export DISPLAY=":$numero"
# "-noreset": an X server resets when its last client leaves, and turns
# away whoever connects meanwhile; the probes of the tests come and go.
# Said ready, the server is also waited for until a client gets through.
for _ in $(seq 100); do
  xdotool getdisplaygeometry >/dev/null 2>&1 && break
  sleep 0.1
done
if [ -n "$ecrans" ]; then
  # shellcheck disable=SC2086
  "${PLIVOR_MONITEURS:?outil des écrans}" $ecrans || { echo "écrans non définis" >&2; exit 1; }
fi
"$@"
