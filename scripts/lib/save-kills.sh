# Kill tests of saving, for scripts/check-windows (sourced; Wine's prefix,
# WINEPATH and a running wineserver are set up by the caller).
#
# A save is killed (SIGKILL, as a power cut or the task manager ends it) at a
# random moment; afterwards the target must hold exactly the old bytes or
# the new ones.  Each kill is sorted by what it left:
#   old      the target as before the save
#   new      the target as the save was to make it
#   between  (counted besides) a temporary file of the killed save was left
#            beside the target: the kill fell between the temporary file's
#            appearance and its rename
#   missing  no target at all
#   partial  a target that is neither the old nor the new bytes
# and the counts are printed as one line: "WHAT: N killed: N old, N new, ...".

# The temporary files beside TARGET, one name a line.
save_leftovers() {  # TARGET
  local dir name
  dir=$(dirname "$1")
  name=$(basename "$1")
  find "$dir" -maxdepth 1 -name ".$name.tmp-*" -printf '%f\n' | sort
}

# Waits, without starting any process, until a temporary file appears beside
# TARGET; 1 after MS milliseconds without one.
save_kills_wait_temporary() {  # TARGET MS
  local pattern deadline
  pattern="$(dirname "$1")/.$(basename "$1").tmp-*"
  deadline=$(( ${EPOCHREALTIME/[.,]/} + $2 * 1000 ))
  until compgen -G "$pattern" >/dev/null; do
    [ "${EPOCHREALTIME/[.,]/}" -lt "$deadline" ] || return 1
  done
}

# Sorts the state of TARGET after a kill into the counters above; OLD and
# NEW are files with the two contents, BEFORE the leftovers before the kill.
save_kills_count() {  # TARGET OLD NEW BEFORE
  if [ ! -e "$1" ]; then
    kills_missing=$((kills_missing + 1))
  elif cmp -s "$1" "$2"; then
    kills_old=$((kills_old + 1))
  elif cmp -s "$1" "$3"; then
    kills_new=$((kills_new + 1))
  else
    kills_partial=$((kills_partial + 1))
    cp "$1" "$1.partial-$kills_partial"
  fi
  [ -z "$(comm -13 <(printf '%s' "$4") <(save_leftovers "$1"))" ] ||
    kills_between=$((kills_between + 1))
}

save_kills_reset() {
  kills_old=0 kills_new=0 kills_between=0 kills_missing=0 kills_partial=0
}

# The line of counts, and whether nothing was lost.
save_kills_report() {  # WHAT KILLS
  echo "$1: $2 killed: $kills_old old, $kills_new new, $kills_missing missing," \
    "$kills_partial partial; $kills_between between the temporary file and its rename"
  [ "$kills_missing" -eq 0 ] && [ "$kills_partial" -eq 0 ]
}

# The milliseconds since some fixed moment.
save_kills_now() { echo $(( ${EPOCHREALTIME/[.,]/} / 1000 )); }

# Kills PROGRAM (tests/core/save_loop_main.cpp, built for Windows) KILLS
# times while it saves over DIR/roster.txt in a loop, taking turns with two
# rosters, one of 40 members.  Each kill comes after a random delay from the
# loop's first save, up to the time of eight saves as measured on this
# machine beforehand (a save's time depends on the disk and the load).
# Leftovers of killed saves are removed by the next run's first save.
save_kills_loop() {  # PROGRAM DIR KILLS
  local program=$1 dir=$2 kills=$3 target old new pid before i start per span delay
  rm -rf "$dir"
  mkdir -p "$dir"
  target=$dir/roster.txt old=$dir/old.txt new=$dir/new.txt
  { printf '作成\r\n'
    for i in $(seq 40); do printf '会員%02d,東町,男,0,0,0,0,0,\r\n' "$i"; done
  } | iconv -f UTF-8 -t CP932 >"$old"
  printf '作成\r\n山田　花子,東町,女,0,0,0,0,0,\r\n' | iconv -f UTF-8 -t CP932 >"$new"
  local args=("$(winepath -w "$target")" "$(winepath -w "$old")" "$(winepath -w "$new")")

  start=$(save_kills_now)
  wine "$program" "${args[@]}" 100 >/dev/null || { echo "the save loop failed" >&2; return 1; }
  per=$(( ($(save_kills_now) - start) / 100 + 1 ))
  span=$((8 * per))
  echo "save kills: a save takes about $per ms; each kill within $span ms of the first"

  cp "$old" "$target"
  save_kills_reset
  for i in $(seq "$kills"); do
    before=$(save_leftovers "$target")
    wine "$program" "${args[@]}" >"$dir/out.txt" 2>"$dir/err.txt" &
    pid=$!
    while ! grep -q saving "$dir/out.txt" 2>/dev/null; do
      kill -0 "$pid" 2>/dev/null || { echo "the save loop ended: $(cat "$dir/err.txt")" >&2; return 1; }
      sleep 0.002
    done
    delay=$((RANDOM % span))
    sleep "$(printf '%d.%03d' $((delay / 1000)) $((delay % 1000)))"
    kill -9 "$pid"
    wait "$pid" 2>/dev/null || true
    save_kills_count "$target" "$old" "$new" "$before"
  done
  save_kills_report "save kills of $(basename "$program")" "$kills"
}
