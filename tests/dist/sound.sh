#!/usr/bin/env bash
# The game's sound through a sound server, as on a desktop: a PulseAudio or a PipeWire server (with
# WirePlumber and its PulseAudio service) of the test's own, with a silent output whose monitor the
# test records. A shot must be heard there, in a stream named after the game.
# Usage: sound.sh GAME_DIR pulseaudio|pipewire
set -uo pipefail
game=$(realpath "$1")
server=$2
source "$(dirname "$0")/x-server.sh"
case $server in
  pulseaudio) tools=(pulseaudio) ;;
  pipewire) tools=(dbus-daemon pipewire wireplumber pipewire-pulse) ;;
  *) fail "no such sound server: $server" ;;
esac
for tool in "${tools[@]}" pactl parec od; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed (tools/install-deps)"; exit 77; }
done

# Nothing of a desktop's own session: its bus, its sound servers.
unset DBUS_SESSION_BUS_ADDRESS PULSE_SERVER PIPEWIRE_REMOTE
export HOME=$scratch XDG_RUNTIME_DIR=$scratch XDG_CONFIG_HOME=$scratch/config XDG_STATE_HOME=$scratch/state
if [ "$server" = pulseaudio ]; then
  export PULSE_SERVER=unix:$scratch/sound-server
  pulseaudio --daemonize=no -n --exit-idle-time=-1 --load="module-null-sink sink_name=speakers" \
    --load="module-native-protocol-unix socket=$scratch/sound-server auth-anonymous=1" >"$scratch/server.log" 2>&1 &
  await 10 pactl info >/dev/null || fail "the sound server did not start: $(cat "$scratch/server.log")"
else
  # WirePlumber needs a session bus; this one is the test's own.
  export DBUS_SESSION_BUS_ADDRESS=unix:path=$scratch/bus
  dbus-daemon --session --address="$DBUS_SESSION_BUS_ADDRESS" --nofork --nopidfile >"$scratch/bus.log" 2>&1 &
  await 10 test -S "$scratch/bus" || fail "the session bus did not start: $(cat "$scratch/bus.log")"
  pipewire >"$scratch/server.log" 2>&1 &
  await 10 test -S "$scratch/pipewire-0" || fail "PipeWire did not start: $(cat "$scratch/server.log")"
  wireplumber >"$scratch/session.log" 2>&1 &
  # pactl makes this folder when it finds no server yet; made first, it cannot appear between the
  # service's look for it and its own making of it, which the service takes for a failure.
  mkdir -m 700 "$XDG_RUNTIME_DIR/pulse"
  pipewire-pulse >"$scratch/pulse.log" 2>&1 &
  await 10 pactl info >/dev/null || fail "PipeWire's PulseAudio service did not start: $(cat "$scratch/pulse.log")"
  pactl info | grep -q 'Server Name: PulseAudio (on PipeWire' || fail "the server is not PipeWire: $(pactl info)"
  pactl load-module module-null-sink sink_name=speakers >/dev/null || fail "no silent output on PipeWire"
  pactl set-default-sink speakers
fi

link_game_data "$game" "$scratch/folder"
start_x_server 1280x1024

# hear_a_shot OUTPUT: the game, with SDL's output of that name (empty: SDL's choice), shoots once in
# a round, and the shot must come out of the server's silent output, in the game's named stream.
hear_a_shot() {
  (cd "$scratch/folder" && SDL_AUDIODRIVER=$1 exec "$game/Veltranzik") >"$scratch/game.log" 2>&1 &
  local game_process=$! window recorder loudest
  window=$(game_window) || exit 1
  # Start opens the game's sound while it reads its data, behind the title picture; a slow build
  # takes seconds for that.
  xdotool windowfocus --sync "$window" key Return
  await 30 sh -c "pactl list sink-inputs | grep -q 'application.name = \"Veltranzik\"'" ||
    fail "the game plays no stream named after it on $server with SDL's output '${1:-chosen}'; streams: $(pactl list sink-inputs | grep -E 'application.name|media.name'); game: $(cat "$scratch/game.log")"
  # Past the title into a round.
  xdotool key space
  sleep 1

  timeout 3 parec -d speakers.monitor --raw --format=s16le --channels=1 --rate=22050 >"$scratch/heard.raw" &
  recorder=$!
  sleep 0.5
  xdotool mousemove 640 400 click 1
  wait $recorder

  loudest=$(od -An -v -t d2 -w2 "$scratch/heard.raw" |
    awk '{ v = $1 < 0 ? -$1 : $1; if (v > m) m = v } END { print m + 0 }')
  [ "$loudest" -gt 3000 ] || fail "the shot was not heard with SDL's output '${1:-chosen}' (loudest sample $loudest)"
  echo "a shot heard through $server with SDL's output '${1:-chosen}', loudest sample $loudest"
  kill "$game_process"
  wait "$game_process" 2>/dev/null
}

hear_a_shot ""
# Where PipeWire has no PulseAudio service SDL talks to it directly.
[ "$server" = pipewire ] && hear_a_shot pipewire
echo "passed"
