# Shared by the tests that run the real `datrax` on a virtual X display:
# starting Xvfb and the program, finding its window by its title, waiting
# until the picture stops changing, and cleaning up. Source it after setting
# `test_name`; it sets `tmp` (a scratch folder removed at exit).

fail() { echo "$test_name: FAIL: $*" >&2; exit 1; }

# Checks the tools and the two programs of the build.
require_tools() {
  local build=$1 tool
  for tool in Xvfb xdotool import compare convert identify; do
    command -v "$tool" >/dev/null || { [ "$tool" = Xvfb ] && { echo "$test_name: SKIP: Xvfb is not installed"; exit 77; }
                                       fail "$tool is not installed (scripts/install-deps installs it)"; }
  done
  [ -x "$build/datrax" ] || fail "$build/datrax is missing"
  [ -x "$build/datrax-replay" ] || fail "$build/datrax-replay is missing"
}

tmp=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
  if [ -n "$app_pid" ]; then kill "$app_pid" 2>/dev/null; wait "$app_pid" 2>/dev/null; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; fi
  rm -rf "$tmp"
}
trap cleanup EXIT

# Starts Xvfb with one screen of the given size (WIDTHxHEIGHT) and points
# DISPLAY at it; Xvfb picks a free display number itself and reports it on
# fd 3. Exit 77 (skipped) when Xvfb cannot start.
start_xvfb() {
  # A display file left by an earlier start must not be read before this
  # Xvfb empties it.
  rm -f "$tmp/display"
  Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$tmp/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -s "$tmp/display" ]; then
    echo "$test_name: SKIP: Xvfb did not start:" && sed 's/^/  /' "$tmp/xvfb.log"
    exit 77
  fi
  export DISPLAY=":$(head -1 "$tmp/display")"
  echo "$test_name: Xvfb on $DISPLAY ($1)"
}

# Starts `datrax` in the working folder WORK with its configuration folder
# (profile, window file) in CONFIG; its output goes to LOG.
start_datrax() {
  local build=$1 work=$2 config=$3 log=$4
  (cd "$work" && XDG_CONFIG_HOME="$config" exec "$build/datrax") >"$log" 2>&1 &
  app_pid=$!
}

# The id of the visible window with exactly this title (waits up to 60 s: a
# sanitizer build on a busy machine can take 20 s to open it).
find_window() {
  local id
  id=$(timeout 60 xdotool search --sync --onlyvisible --name "^${1//./\\.}\$" 2>/dev/null | head -1)
  [ -n "$id" ] || fail "no window titled '$1' appeared"
  echo "$id"
}

# Waits until the window's picture is stable: four screenshots over most of a
# second agree. One pause is not enough: a sanitizer build on a busy machine
# can leave typed keys waiting longer than that while the picture stands.
settle() {
  local window=$1 previous= shot i same=0
  for i in $(seq 80); do
    sleep 0.25
    import -window "$window" "$tmp/settle$i.png" 2>/dev/null || continue
    shot=$(identify -format '%#' "$tmp/settle$i.png")
    if [ "$shot" = "$previous" ]; then
      same=$((same + 1))
      [ "$same" -ge 3 ] && return 0
    else
      same=0
    fi
    previous=$shot
  done
  fail "the window never stopped changing"
}

# Types text (and Enter after it with a second argument "enter") into the window.
type_into() {
  xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
  xdotool type --delay 80 "$2"
  [ "${3:-}" = enter ] && xdotool key Return
  return 0
}

# Waits for `datrax` to end (after q) and checks it ended with status 0;
# shows its LOG when not.
expect_clean_end() {
  local log=$1 status
  for _ in $(seq 100); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$app_pid" 2>/dev/null && fail "datrax still runs after q"
  wait "$app_pid"
  status=$?
  app_pid=
  [ "$status" = 0 ] || { cat "$log" >&2; fail "datrax ended with status $status after q"; }
}
