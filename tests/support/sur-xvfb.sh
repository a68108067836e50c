#!/usr/bin/env bash
# Runs a command on a virtual X server of its own, 1280 x 800 unless
# "--ecran" gives another screen, and exits with the command's status. The
# server picks a free display and says which once it accepts connections, so
# tests that start servers at the same moment never race for one (xvfb-run's
# "-a" does).
#   sur-xvfb.sh [--ecran LARGEURxHAUTEURxPROFONDEUR] COMMANDE [ARGUMENTS...]
set -u
ecran=1280x800x24
if [ "${1:-}" = "--ecran" ]; then
  ecran=$2
  shift 2
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
"$@"
