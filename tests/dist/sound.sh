#!/usr/bin/env bash
# The game's sound through a sound server, as on a desktop: a PulseAudio server of the test's own
# with a silent output whose monitor the test records. A shot must be heard there.
# Usage: sound.sh GAME_DIR
set -uo pipefail
game=$(realpath "$1")
source "$(dirname "$0")/x-server.sh"
for tool in pulseaudio pactl parec od; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed (tools/install-deps)"; exit 77; }
done

export HOME=$scratch XDG_RUNTIME_DIR=$scratch PULSE_SERVER=unix:$scratch/sound-server
pulseaudio --daemonize=no -n --exit-idle-time=-1 --load="module-null-sink sink_name=speakers" \
  --load="module-native-protocol-unix socket=$scratch/sound-server auth-anonymous=1" >"$scratch/pulse.log" 2>&1 &
await 10 pactl info >/dev/null || fail "the sound server did not start: $(cat "$scratch/pulse.log")"

link_game_data "$game" "$scratch/folder"
start_x_server 1280x1024
(cd "$scratch/folder" && exec "$game/Veltranzik") >"$scratch/game.log" 2>&1 &
window=$(game_window) || exit 1
# Past the start screen and the title into a round.
xdotool windowfocus --sync "$window" key Return
sleep 1
xdotool key space
sleep 1

timeout 3 parec -d speakers.monitor --raw --format=s16le --channels=1 --rate=22050 >"$scratch/heard.raw" &
recorder=$!
sleep 0.5
xdotool mousemove 640 400 click 1
wait $recorder

pactl list sink-inputs | grep -q 'application.name = "Veltranzik"' || fail "the game plays no stream on the server"
loudest=$(od -An -v -t d2 -w2 "$scratch/heard.raw" |
  awk '{ v = $1 < 0 ? -$1 : $1; if (v > m) m = v } END { print m + 0 }')
[ "$loudest" -gt 3000 ] || fail "the shot was not heard (loudest sample $loudest)"
echo "a shot heard through the sound server, loudest sample $loudest"
echo "passed"
