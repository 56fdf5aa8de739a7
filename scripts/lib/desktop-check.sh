# shellcheck shell=bash
# Sourced by scripts/check-install and scripts/check-package, after
# scripts/lib/xvfb.sh.
#
# check_desktop_start ENTRY PROGRAM DATA_DIR [SCREENSHOT_DIR]
#   On the virtual X server of start_xvfb, starts the program the way a menu
#   does, from its desktop entry ENTRY (Exec looked up on PATH, started in the
#   entry's Path folder), and checks that its window appears, that the window
#   is PROGRAM's, running in DATA_DIR, and that its class name is the entry's
#   StartupWMClass.  Then
#   presses ヘルプ and checks that the program's help window opens, the
#   guide's pages being installed in DATA_DIR/help.  With SCREENSHOT_DIR it
#   saves installed.png (the window) and help.png (the help window) there.
#   The processes it starts are ended by stop_desktop_check.

DESKTOP_CHECK_PIDS=()

desktop_check_fail() { echo "$DESKTOP_CHECK_NAME: $*" >&2; return 1; }

check_desktop_start() {
  local entry=$1 program=$2 data_dir=$3 shots=${4:-} wm_class window tovi_pid help f
  : "${DESKTOP_CHECK_NAME:=check}"
  desktop-file-validate "$entry" || desktop_check_fail "desktop-file-validate rejects $entry" || return 1
  [ "$(sed -n 's/^Path=//p' "$entry")" = "$data_dir" ] \
    || desktop_check_fail "$entry starts the program in '$(sed -n 's/^Path=//p' "$entry")', not $data_dir" || return 1
  for f in index.html about.html toc.hhc tovi.css; do
    [ -f "$data_dir/help/$f" ] || desktop_check_fail "no help/$f in $data_dir" || return 1
  done
  [ ! -e "$data_dir/Tovihlp.chm" ] || desktop_check_fail "Tovihlp.chm is installed on Linux" || return 1
  wm_class=$(sed -n 's/^StartupWMClass=//p' "$entry")

  # gio launch starts the entry as a desktop's menu does.
  gio launch "$entry" || desktop_check_fail "gio launch $entry failed" || return 1
  window=$(find_window 30 '^トヴィ$') || true
  [ -n "$window" ] || desktop_check_fail "no window トヴィ appeared within 30 s" || return 1
  tovi_pid=$(xdotool getwindowpid "$window")
  DESKTOP_CHECK_PIDS+=("$tovi_pid")
  echo "$DESKTOP_CHECK_NAME: window $window of $(readlink "/proc/$tovi_pid/exe") (pid $tovi_pid)" \
    "in $(readlink "/proc/$tovi_pid/cwd")"
  [ "$(readlink "/proc/$tovi_pid/exe")" = "$program" ] \
    || desktop_check_fail "the window is not $program's" || return 1
  [ "$(readlink "/proc/$tovi_pid/cwd")" = "$data_dir" ] \
    || desktop_check_fail "the program runs in $(readlink "/proc/$tovi_pid/cwd"), not $data_dir" || return 1
  xdotool search --onlyvisible --classname "^${wm_class}\$" | grep -qx "$window" \
    || desktop_check_fail "the window's class name is not StartupWMClass=$wm_class" || return 1
  sleep 1
  [ -z "$shots" ] || import -window root -crop 1020x705+0+0 "$shots/installed.png"

  # ヘルプ lies at 922,8 and is 68 x 21 in the window.
  xdotool mousemove --window "$window" 956 18 click 1
  help=$(find_window 30 '^トヴィ ヘルプ$') || true
  [ -n "$help" ] || desktop_check_fail "ヘルプ opened no help window within 30 s" || return 1
  [ "$(xdotool getwindowpid "$help")" = "$tovi_pid" ] \
    || desktop_check_fail "the help window is not the program's own" || return 1
  echo "$DESKTOP_CHECK_NAME: help window $help of the program"
  if [ -n "$shots" ]; then
    # No window manager runs here: the help window where a desktop would put it.
    xdotool windowmove "$help" 120 40
    sleep 2
    import -window "$help" "$shots/help.png"
    echo "$DESKTOP_CHECK_NAME: screenshots in $shots/installed.png and $shots/help.png"
  fi
}

stop_desktop_check() {
  local pid
  for pid in "${DESKTOP_CHECK_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  DESKTOP_CHECK_PIDS=()
}
