#!/usr/bin/env bash
# The game as a native client of a Wayland compositor, with no XWayland and no X server for the
# game: the start screen; Enter to full screen with the title at the largest whole factor, centred
# on black; Alt+Enter to a window and back; the mouse held in the window while playing; and the
# start screen's close button saving the settings. The compositor is a Weston of the test's own,
# drawing into a window of an X server of the test's own, which gives it a keyboard and a mouse;
# its pictures come from its own screenshot interface, and what it told the game from its own
# protocol dump.
# Usage: wayland.sh GAME_DIR
set -uo pipefail
game=$(realpath "$1")
source "$(dirname "$0")/x-server.sh"
for tool in weston weston-screenshooter weston-debug; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed (tools/install-deps)"; exit 77; }
done

screen_width=1280
screen_height=1024
background='#204060'
socket=veltranzik-test

# The runner's pictures of the start screen and of the title, to compare with the compositor's.
link_game_data "$game" "$scratch/runner"
printf '+500 screenshot %s\n+0 key down 13\n+10 key up 13\n+500 await title_showing 1\n+100 screenshot %s\n+0 end\n' \
  "$scratch/start.png" "$scratch/title.png" >"$scratch/script.txt"
(cd "$scratch/runner" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$game/veltranzik-script" ../script.txt) ||
  fail "the runner's pictures"
convert "$scratch/title.png" -sample 200% "$scratch/scaled.png"

start_x_server "${screen_width}x${screen_height}"
export XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
# Without animations, each picture shows a finished state.
printf '[shell]\nbackground-color=0xff%s\npanel-position=top\nstartup-animation=none\nanimation=none\n' \
  "${background#\#}" >"$scratch/weston.ini"
# --debug opens the screenshot and protocol-dump interfaces to clients.
weston --config="$scratch/weston.ini" --backend=x11-backend.so --use-pixman --width=$screen_width \
  --height=$screen_height --socket=$socket --idle-time=0 --debug >"$scratch/weston.log" 2>&1 &
await 10 test -S "$XDG_RUNTIME_DIR/$socket" || fail "weston did not start: $(cat "$scratch/weston.log")"
export WAYLAND_DISPLAY=$socket
weston-debug proto -o "$scratch/protocol.log" >/dev/null 2>&1 &

# screen_picture FILE: the compositor's picture of its screen, without the alpha that its
# screenshots carry from the clients' buffers.
screen_picture() {
  local folder=$scratch/shots
  rm -rf "$folder" && mkdir "$folder"
  (cd "$folder" && weston-screenshooter) || return 1
  convert "$folder"/*.png -alpha off "$1"
}

# The height of the compositor's panel at the top, once the desktop shows: the rows above the
# first of the background's colour at the screen's left edge.
panel_height() {
  screen_picture "$scratch/screen.png" || return 1
  convert "$scratch/screen.png" -crop 1x100+0+0 +repage -depth 8 txt:- |
    awk -v colour="$background" '!found && index($0, colour) { split($1, at, "[,:]"); print at[2]; found = 1 }
                                 END { exit !found }'
}

# start_game FOLDER: the game as a Wayland client only; the mouse waits in a corner, out of sight.
start_game() {
  (cd "$1" && exec env -u DISPLAY "$game/Veltranzik") >"$scratch/game.log" 2>&1 &
  game_pid=$!
  xdotool mousemove $((screen_width - 1)) $((screen_height - 1))
}

# The place (+X+Y) of the start screen, once the compositor shows it whole.
start_screen_place() {
  screen_picture "$scratch/screen.png" || return 1
  convert "$scratch/screen.png" -fill white +opaque "$background" -fill black -opaque "$background" \
    -define connected-components:verbose=true -connected-components 4 null: |
    awk '$2 ~ /^641x477\+/ && $NF == "srgb(255,255,255)" { sub(/^641x477/, "", $2); print $2; found = 1 }
         END { exit !found }'
}

# start_screen_point X Y: where the point X, Y of the start screen shown at $place is on the screen.
start_screen_point() {
  local left=${place#+}
  echo "$((${left%+*} + $1)) $((${place##*+} + $2))"
}

# picture_at LEFT TOP: whether the screen shows the title picture whole at twice its size there.
picture_at() {
  screen_picture "$scratch/screen.png" || return 1
  convert "$scratch/screen.png" -crop "$((640 * 2))x$((480 * 2))+$1+$2" +repage "$scratch/shown.png"
  [ "$(pixels_apart "$scratch/scaled.png" "$scratch/shown.png")" = 0 ]
}

# Nothing but black around the picture at LEFT TOP, from the screen's top edge down.
black_around() {
  local brightest
  brightest=$(convert "$scratch/screen.png" -fill black -draw "rectangle $1,$2 $(($1 + 1279)),$(($2 + 959))" \
    -colorspace gray -format '%[fx:maxima*255]' info:)
  [ "${brightest%.*}" = 0 ]
}

# The last thing the compositor told the game about holding the mouse.
mouse_hold() {
  grep -oE 'zwp_(confined|locked)_pointer_v1@[0-9]+\.(confined|unconfined|locked|unlocked)\(\)' \
    "$scratch/protocol.log" | tail -n1 | sed 's/.*\.//; s/()//'
}

await 10 panel_height >/dev/null || fail "the compositor never showed its desktop: $(cat "$scratch/weston.log")"
panel=$(panel_height)

link_game_data "$game" "$scratch/folder"
start_game "$scratch/folder"
await 20 start_screen_place >/dev/null || fail "the start screen never appeared whole: $(cat "$scratch/game.log")"
place=$(start_screen_place)
convert "$scratch/screen.png" -crop "641x477$place" +repage "$scratch/start-shown.png"
apart=$(pixels_apart "$scratch/start.png" "$scratch/start-shown.png")
[ "$apart" -lt 500 ] || fail "the start screen differs from the runner's in $apart pixels"
grep -q 'xdg_toplevel@[0-9]*\.set_app_id("Veltranzik")' "$scratch/protocol.log" ||
  fail "the game did not name its window for the compositor"
echo "start screen shown at $place as a Wayland window"

xdotool mousemove $(start_screen_point 250 270) click 1 key Return
full_top=$(((screen_height - 960) / 2))
# The title is whole only once the game has read its data: seconds for a slow build.
await 30 picture_at 0 "$full_top" || fail "full screen does not show the title whole at twice its size, centred"
black_around 0 "$full_top" || fail "the border around the full-screen picture is not black"
echo "full screen: title whole at 2 times, centred on black"

xdotool key alt+Return
window_top=$((panel + (screen_height - panel - 960) / 2))
await 10 picture_at 0 "$window_top" || fail "Alt+Enter did not give a window below the panel with the title whole"
echo "Alt+Enter: a window in the desktop's free area, the title whole at 2 times"
xdotool key alt+Return
await 10 picture_at 0 "$full_top" || fail "a second Alt+Enter did not give full screen back"
echo "Alt+Enter again: full screen"

xdotool key Return
held() { [[ $(mouse_hold) =~ ^(locked|confined)$ ]]; }
await 10 held || fail "the mouse is not held in the window while playing ($(mouse_hold))"
hold=$(mouse_hold)
echo "playing: the compositor holds the mouse in the window ($hold)"
kill "$game_pid"
wait "$game_pid"

link_game_data "$game" "$scratch/closing"
start_game "$scratch/closing"
await 20 start_screen_place >/dev/null || fail "the start screen never appeared again"
place=$(start_screen_place)
xdotool mousemove $(start_screen_point 250 270) click 1 type Hanna
xdotool mousemove $(start_screen_point 629 12) click 1
await 10 sh -c "! kill -0 $game_pid" || fail "the close button did not end the game"
wait "$game_pid" || fail "the game ended with status $? after its close button"
grep -qa Hanna "$scratch/closing/dat.dat" 2>/dev/null || fail "the close button did not save the player's name"
echo "close button: the game ended and saved the name"
echo "passed"
