#!/usr/bin/env bash
# Runs the real program on a list, on the X server of DISPLAY (see
# sur-xvfb.sh), does what a user would do to end it, and prints how it ended: "fin N" with its
# exit status, or "toujours vivant" after 15 seconds.
#   pilote.sh PROGRAMME LISTE FACON [FERMER] [-- ARGUMENTS...]
# FACON: ctrlq, menu, panneau, fermer, terme, drapeaux, clic-droit, rien.
set -u
programme=$1 liste=$2 facon=$3 fermer=${4:-}
shift 4 2>/dev/null || shift $#
[ "${1:-}" = "--" ] && shift
"$programme" "$@" "$liste" & pid=$!

# The visible window whose title starts so (xdotool's own name match misses
# Qt's titles here).
fenetre() {
  local id
  for id in $(xdotool search --onlyvisible --name "" 2>/dev/null); do
    case "$(xdotool getwindowname "$id" 2>/dev/null)" in "$1"*) echo "$id"; return ;; esac
  done
}
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  [ -n "$(fenetre "Plivor  v")" ] && break
  sleep 0.1
done
sleep 1.5
id=$(fenetre "Plivor  v")
# No window manager here: give the projection window the keyboard as one would.
xdotool mousemove 640 400
[ -n "$id" ] && xdotool windowfocus --sync "$id" 2>/dev/null
case $facon in
  ctrlq) xdotool key ctrl+q ;;
  menu) xdotool mousemove 640 400 click 3; sleep 0.7; xdotool key Up Return ;;
  panneau)
    panneau=$(fenetre "   Plivor")
    eval "$(xdotool getwindowgeometry --shell "$panneau")"
    xdotool mousemove $((X + 16)) $((Y + 16)) click 1 ;;
  fermer) "$fermer" "$id" ;;
  terme) kill -TERM "$pid" ;;
  drapeaux) xdotool key n; sleep 0.7; xdotool key Up Return ;;
  clic-droit) xdotool mousemove 640 400 click 3 ;;
  rien) ;;
esac
for _ in $(seq 150); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then
  echo "toujours vivant"
  kill -KILL "$pid"
  exit 0
fi
wait "$pid"
echo "fin $?"
