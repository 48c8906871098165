#!/usr/bin/env bash
# The game as a player gets it: installed into a scratch DESTDIR, started through its launcher by
# two players with homes of their own, on an X server with a window manager.
# Usage: installed-game.sh BUILD_DIR
set -uo pipefail
build=$(realpath "$1")
source "$(dirname "$0")/x-server.sh"

root=$scratch/root
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null || fail "cmake --install into a DESTDIR"
launcher=$root/usr/bin/veltranzik
data=$root/usr/share/veltranzik
[ -x "$launcher" ] && [ -x "$root/usr/lib/veltranzik/Veltranzik" ] && [ -f "$root/usr/lib/veltranzik/Surfbmp.spi" ] ||
  fail "the launcher, the program and its plug-in are not where they belong"
for part in "${data_parts[@]}"; do [ -d "$data/$part" ] || fail "the installed data lacks $part"; done
installed() { (cd "$root" && find . -printf '%p %s %m %T@\n' | sort); }
before=$(installed)

# expect_start_screen [DAT]: what the start screen looks like, with the settings of DAT, from the
# scripted runner with the same data.
link_game_data "$data" "$scratch/runner"
printf '100 screenshot %s\n+0 end\n' "$scratch/expected.png" >"$scratch/runner/script.txt"
expect_start_screen() {
  rm -f "$scratch/runner/dat.dat"
  [ $# -eq 0 ] || cp "$1" "$scratch/runner/dat.dat"
  (cd "$scratch/runner" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$build/game/veltranzik-script" script.txt) ||
    fail "the runner's picture of the start screen"
}

start_x_server 1280x1024 openbox

# Whether the window shows the expected start screen; says how far apart the two are.
shows_start_screen() {
  import -window "$1" "$scratch/shown.png" || return 1
  local apart
  apart=$(pixels_apart "$scratch/expected.png" "$scratch/shown.png")
  echo "$apart pixels apart"
  [ "$apart" -lt 100 ] 2>/dev/null
}

# play HOME XDG_DATA_HOME NAME: one player starts the game, types a name and leaves with Esc.
play() {
  local home=$1 dataHome=$2 name=$3 window
  mkdir -p "$home"
  # No sound server to be found: the game stays silent, without an error.
  HOME=$home XDG_DATA_HOME=$dataHome PULSE_SERVER=unix:$scratch/no-sound-server "$launcher" >"$scratch/game.log" 2>&1 &
  local game=$!
  window=$(game_window) || exit 1
  await 10 shows_start_screen "$window" >/dev/null ||
    fail "the window does not show the start screen ($(shows_start_screen "$window"))"
  xdotool type --delay 20 "$name"
  sleep 0.3
  xdotool key Escape
  await 20 sh -c "! kill -0 $game" || fail "Esc did not end the game"
  wait "$game" || fail "the game ended with status $?: $(cat "$scratch/game.log")"
}

expect_start_screen
play "$scratch/hanna" "" "Hanna Hase"
hanna=$scratch/hanna/.local/share/veltranzik
[ -f "$hanna/dat.dat" ] || fail "no dat.dat in $hanna"
grep -q "Hanna Hase" "$hanna/dat.dat" || fail "the typed name did not reach dat.dat"
for part in "${data_parts[@]}"; do
  [ "$(readlink "$hanna/$part")" = "$data/$part" ] || fail "$hanna/$part does not lead to the installed data"
done

play "$scratch/gustav" "$scratch/gustav/data" "Gustav"
gustav=$scratch/gustav/data/veltranzik
grep -q "Gustav" "$gustav/dat.dat" || fail "the second player's name is not in their own dat.dat"
grep -q "Hanna" "$gustav/dat.dat" && fail "the second player got the first one's settings"
grep -q "Hanna Hase" "$hanna/dat.dat" || fail "the second player changed the first one's dat.dat"

# An update, and Hanna again: her folder is found as it is, her name stands in the field.
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null || fail "installing again"
cp "$hanna/dat.dat" "$scratch/hanna.dat"
expect_start_screen "$hanna/dat.dat"
play "$scratch/hanna" "" ""
cmp -s "$hanna/dat.dat" "$scratch/hanna.dat" || fail "starting again changed what was kept"

# A folder that cannot be made: a file stands where it would go.
touch "$scratch/in-the-way"
message=$(XDG_DATA_HOME=$scratch/in-the-way "$launcher" 2>&1 >/dev/null)
status=$?
[ $status -eq 1 ] || fail "a folder that cannot be made gave exit status $status"
grep -q "$scratch/in-the-way/veltranzik" <<<"$message" || fail "the message does not name the folder: $message"

[ "$(installed)" = "$before" ] || fail "something was written into the installed files"
echo "passed"
