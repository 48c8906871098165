# Sourced by the tests of the game on a real X server: an X server of the test's own (Xvfb), a
# window manager on it when asked, and a scratch folder, all gone when the test ends. A test whose
# tools are missing is skipped (exit 77), with the reason.

for tool in Xvfb openbox xdotool xprop xwininfo import compare convert; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed (tools/install-deps)"; exit 77; }
done

scratch=$(mktemp -d)
# A program that does not end on SIGTERM must not hold the test up for ever: what failed is
# already said, and it is killed after five seconds.
cleanup() {
  local status=$? job running=()
  for job in $(jobs -p); do kill "$job" 2>/dev/null && running+=("$job"); done
  for _ in {1..50}; do
    kill -0 "${running[@]}" 2>/dev/null || break
    sleep 0.1
  done
  for job in "${running[@]}"; do kill -KILL "$job" 2>/dev/null; done
  wait 2>/dev/null
  [ -e "$scratch/hung" ] && status=1
  rm -rf "$scratch"
  exit "$status"
}
trap cleanup EXIT
# A test still running after four minutes hangs in something: it says in what, and ends it, well
# within ctest's limit, so that the test fails with a reason instead of timing out without a word.
watch_for_hang() {
  sleep 240 </dev/null >/dev/null 2>&1
  touch "$scratch/hung"
  echo "FAILED: still running after 240 s, in:" >&2
  ps -o pid=,etime=,args= --ppid "$1" >&2
  pkill -KILL -P "$1"
}
watch_for_hang $$ &
# The game under test talks to this X server only, with whatever sound there is.
unset SDL_VIDEODRIVER SDL_AUDIODRIVER WAYLAND_DISPLAY

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# The folders of the game's data, and a working folder made of links to them.
data_parts=(cdu animf ani2 ps)
link_game_data() {  # FROM FOLDER
  local part
  mkdir -p "$2"
  for part in "${data_parts[@]}"; do ln -s "$1/$part" "$2/$part"; done
}

# Waits up to $1 seconds for the command after it to succeed.
await() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until "$@" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
}

# start_x_server WIDTHxHEIGHT [openbox]: sets DISPLAY to a new X server of that size. It does not
# start afresh each time its last client leaves, as it would turn away the test's next tool that
# connects in that moment.
start_x_server() {
  local number=$scratch/display.$RANDOM
  Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp -noreset 3>"$number" >/dev/null 2>&1 &
  await 10 test -s "$number" || fail "Xvfb did not start"
  export DISPLAY=:$(head -n1 "$number")
  if [ "${2:-}" = openbox ]; then
    openbox --sm-disable >/dev/null 2>&1 &
    await 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || fail "openbox did not start"
  fi
}

# The identifier of the game's visible window, once it is there; what the game said, kept in
# $scratch/game.log, tells why when it never comes.
game_window() {
  local window
  await 20 xdotool search --onlyvisible --name '^Veltranzik$' >/dev/null ||
    fail "the game's window never appeared: $(cat "$scratch/game.log")"
  window=$(xdotool search --onlyvisible --name '^Veltranzik$' | head -n1)
  echo "$window"
}

# The number of pixels in which two pictures differ by more than a little.
pixels_apart() {
  compare -metric AE -fuzz 8% "$1" "$2" null: 2>&1 || true
}
