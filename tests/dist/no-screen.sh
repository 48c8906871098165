#!/usr/bin/env bash
# Started where there is no screen (a text console, a remote shell without a display) the game says
# so and ends at once, instead of running on unseen; it writes nothing.
# Usage: no-screen.sh GAME_DIR
set -uo pipefail
game=$(realpath "$1")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# start [SDL_VIDEODRIVER]: the game without a display, with SDL's choice of driver or the one named.
start() {
  local driver=(-u SDL_VIDEODRIVER)
  [ $# -eq 0 ] || driver=(SDL_VIDEODRIVER="$1")
  (cd "$scratch" && exec env -u DISPLAY -u WAYLAND_DISPLAY "${driver[@]}" XDG_RUNTIME_DIR="$scratch" \
    SDL_AUDIODRIVER=dummy timeout 30 "$game/Veltranzik" 2>&1)
}

for driver in "" x11 wayland; do
  said=$(start $driver)
  status=$?
  [ "$status" -eq 1 ] && grep -q "^Veltranzik: kein Bildschirm: " <<<"$said" ||
    { echo "FAILED: with SDL's driver '${driver:-chosen}' the game ended with status $status, saying: $said"; exit 1; }
  echo "SDL's driver '${driver:-chosen}': $(grep "kein Bildschirm" <<<"$said")"
done
[ -z "$(ls -A "$scratch")" ] || { echo "FAILED: the game wrote $(ls -A "$scratch")"; exit 1; }
echo "passed"
