# shellcheck shell=bash
# Sourced by the scripts that need a virtual X server.
#
# start_xvfb starts Xvfb on a display it picks itself (-displayfd), waits until
# the server takes connections and exports DISPLAY; XVFB_PID is its process.
# When the server does not come up it says why (Xvfb's own messages) and
# returns non-zero.  stop_xvfb ends it; callers put it in their EXIT trap.

XVFB_PID=

start_xvfb() {  # [SCREEN], e.g. 1280x800x24
  local screen=${1:-1280x800x24} dir number=
  command -v Xvfb >/dev/null || { echo "xvfb: Xvfb is not installed (Debian package xvfb)" >&2; return 1; }
  dir=$(mktemp -d /tmp/tovi-xvfb.XXXXXX)
  # Xvfb writes the number of the display it took to the descriptor, once it
  # is ready for clients.  The file exists before Xvfb opens it, so that
  # reading it never races the start.
  : >"$dir/display"
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$dir/display" 2>"$dir/log" &
  XVFB_PID=$!
  for _ in $(seq 100); do
    number=$(tr -dc '0-9' <"$dir/display") || number=
    [ -n "$number" ] && [ "$(wc -l <"$dir/display")" -ge 1 ] && break
    number=
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$number" ]; then
    echo "xvfb: the virtual X server did not start:" >&2
    tail -n 20 "$dir/log" | sed 's/^/  /' >&2
    stop_xvfb
    rm -rf "$dir"
    return 1
  fi
  rm -rf "$dir"
  export DISPLAY=:$number
}

stop_xvfb() {
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    { wait "$XVFB_PID"; } 2>/dev/null || true
    XVFB_PID=
  fi
}

# find_window SECONDS NAME prints the first visible window whose name matches
# the regular expression NAME, waiting up to SECONDS for one to appear; it
# returns non-zero when none does.  It asks again and again rather than using
# xdotool's --sync: a window that closes while xdotool looks at it (a program
# just killed, a message just shut) makes xdotool fail with BadWindow, and one
# such failure must not end the wait.
find_window() {  # SECONDS NAME
  local deadline=$((SECONDS + $1)) found
  while :; do
    found=$(xdotool search --onlyvisible --name "$2" 2>/dev/null | head -n1) || found=
    [ -n "$found" ] && { echo "$found"; return 0; }
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.2
  done
}

# gone_window SECONDS NAME waits up to SECONDS until no visible window's name
# matches NAME; non-zero when one is still there.
gone_window() {  # SECONDS NAME
  local deadline=$((SECONDS + $1))
  while xdotool search --onlyvisible --name "$2" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.2
  done
}
