#!/usr/bin/env bash
# The full-screen picture on a real X server, with a window manager and without one (where nobody
# grants the request for full screen): the title picture whole, scaled by the largest whole factor
# that fits the screen, centred on black.
# Usage: full-screen.sh GAME_DIR
set -uo pipefail
game=$(realpath "$1")
source "$(dirname "$0")/x-server.sh"

link_game_data "$game" "$scratch/folder"
# The title picture as the game draws it, from the scripted runner.
printf '100 key down 13\n110 key up 13\n+500 await title_showing 1\n+100 screenshot %s\n+0 end\n' \
  "$scratch/title.png" >"$scratch/script.txt"
(cd "$scratch/folder" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$game/veltranzik-script" ../script.txt) ||
  fail "the runner's picture of the title"

# title_shown WIDTH HEIGHT FACTOR: whether the screen shows the title picture whole at FACTOR times,
# centred on black; says what differs when not.
title_shown() {
  local width=$1 height=$2 factor=$3
  local shownWidth=$((640 * factor)) shownHeight=$((480 * factor))
  local left=$(((width - shownWidth) / 2)) top=$(((height - shownHeight) / 2))
  import -window root "$scratch/screen.png" || { echo "no picture of the screen"; return 1; }
  convert "$scratch/screen.png" -crop "${shownWidth}x${shownHeight}+$left+$top" +repage "$scratch/shown.png"
  local apart
  apart=$(pixels_apart "$scratch/scaled.png" "$scratch/shown.png")
  [ "$apart" = 0 ] || { echo "the title picture is not shown whole at $factor times ($apart pixels apart)"; return 1; }
  # Black all round: blank out the picture, and nothing bright is left.
  local brightest
  brightest=$(convert "$scratch/screen.png" -fill black \
    -draw "rectangle $left,$top $((left + shownWidth - 1)),$((top + shownHeight - 1))" \
    -colorspace gray -format '%[fx:maxima*255]' info:)
  [ "${brightest%.*}" = 0 ] || { echo "the border around the picture is not black (brightest $brightest)"; return 1; }
}

# check SCREEN FACTOR [openbox]
check() {
  local screen=$1 factor=$2 wm=${3:-}
  local width=${screen%x*} height=${screen#*x}
  local where="on $screen ${wm:-without a window manager}"
  convert "$scratch/title.png" -sample "$((factor * 100))%" "$scratch/scaled.png"
  start_x_server "$screen" $wm
  # Without a window manager every window the game shows is a child of the screen's root.
  local watcher
  if [ -z "$wm" ]; then
    xev -root -event substructure >"$scratch/root-events" 2>&1 &
    watcher=$!
    sleep 0.5
  fi
  (cd "$scratch/folder" && exec "$game/Veltranzik") >"$scratch/game.log" 2>&1 &
  local game=$!
  local window
  window=$(game_window) || exit 1
  xdotool windowfocus --sync "$window" key Return
  await 20 sh -c "xwininfo -id $window | grep -q 'Width: $width'" || fail "$where the window never covered the screen"
  # The title is whole only once the game has read its data: seconds for a slow build.
  if ! await 30 title_shown "$width" "$height" "$factor" >/dev/null; then
    fail "$where $(title_shown "$width" "$height" "$factor")"
  fi
  if [ -z "$wm" ]; then
    kill "$watcher"
    local shown
    shown=$(grep -c '^MapNotify' "$scratch/root-events")
    # A window that is put in place of another one as it appears loses the keys sent to the first.
    [ "$shown" = 1 ] || fail "$where the game showed a window $shown times; it must appear once"
  fi
  kill "$game"
  wait "$game"
  echo "$where: title whole at $factor times, centred on black"
}

check 1280x1024 2
check 1920x1080 2 openbox
check 2560x1440 3
echo "passed"
