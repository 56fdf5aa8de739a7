# shellcheck shell=bash
# Sourced by the checks that print through a real print queue
# (scripts/check-print-queue, scripts/check-windows).
#
# start_print_queue installs CUPS and its PDF printer (scripts/install-deps
# print-queue), starts the CUPS scheduler when none answers (a CI machine
# starts with no services) and creates two queues where they are missing:
#
#   PRINT_QUEUE       writes every job as a PDF file into the home folder's
#                     PDF/ of the user who printed (PRINT_QUEUE_DIR), the file
#                     named after the job's number
#   PRINT_QUEUE_HELD  a stopped queue: its jobs wait and print nothing
#
# The checks start the program with PRINT_QUEUE_HELD as its default printer
# (LPDEST), so that a job reaches PRINT_QUEUE only when the print dialog chose
# it.  Without the queues afterwards it fails: no check passes without them.
# stop_print_queue ends a scheduler that start_print_queue started; callers
# put it in their EXIT trap.
#
# print_queue_last_job prints the number of the newest job of any queue (0
# for none); wait_print_queue_job AFTER waits for the first job after AFTER
# and prints its PDF file, failing when that job went to another queue or
# did not end.  check_printed_pdf FILE PAGES checks the file's page count and
# that every page is A4 landscape; printed_names FILE PAGE NAME.. prints the
# names that the page's text holds, one a line (spaces do not count).

PRINT_QUEUE=ToviPDF
PRINT_QUEUE_HELD=ToviHeld
PRINT_QUEUE_DIR=$(getent passwd "$(id -un)" | cut -d: -f6)/PDF
PRINT_QUEUE_CUPSD_PID=

_print_queue_sudo=()
[ "$(id -u)" -ne 0 ] && _print_queue_sudo=(sudo)

# CUPS's tools in English, whatever the caller's locale, for their output to
# be read here.
_lpstat() { LC_ALL=C lpstat "$@"; }
_print_queue_scheduler_runs() { _lpstat -r 2>/dev/null | grep -qx 'scheduler is running'; }

_print_queue_fail() {
  echo "print-queue: $*" >&2
  return 1
}

start_print_queue() {
  scripts/install-deps print-queue
  if ! _print_queue_scheduler_runs; then
    echo "print-queue: starting the CUPS scheduler"
    # In the foreground of a background job, so that its number is known and
    # it holds no descriptor of the caller's output.
    "${_print_queue_sudo[@]}" cupsd -f </dev/null >/dev/null 2>&1 &
    PRINT_QUEUE_CUPSD_PID=$!
    for _ in $(seq 100); do
      _print_queue_scheduler_runs && break
      sleep 0.1
    done
    _print_queue_scheduler_runs || _print_queue_fail "the CUPS scheduler did not start" || return 1
  fi
  local ppd
  ppd=$(lpinfo -m | awk '/cups-pdf\/CUPS-PDF_opt\.ppd/ { print $1; exit }')
  [ -n "$ppd" ] || _print_queue_fail "CUPS offers no driver of printer-driver-cups-pdf" || return 1
  # The queue's own settings of the PDF printer (it reads cups-pdf-QUEUE.conf
  # for the device cups-pdf:/QUEUE): the Debian package's, but that
  # Ghostscript turns a page whose text runs along its long side
  # (ParseDSCComments off, else the page's "Portrait" comment wins over the
  # text) and first runs a prologue of ours, so that the text of the pages
  # survives into the PDF file for pdftotext to read:
  # - each font keeps a name of its own: Cairo, which turns a job from Linux
  #   into PostScript for the PDF printer, names every part of a font alike,
  #   and Ghostscript then mixes the parts up and loses some letters;
  # - a font sent by Wine's PostScript driver names its Japanese glyphs as
  #   the IPA fonts do (aj + the glyph's number in the Adobe-Japan1 character
  #   collection), which Ghostscript cannot read as text: the prologue tells
  #   it their characters, from poppler-data's table of that collection.
  local conf=/etc/cups/cups-pdf-$PRINT_QUEUE.conf prologue=/etc/cups/cups-pdf-$PRINT_QUEUE.ps
  local settings table=/usr/share/poppler/cidToUnicode/Adobe-Japan1
  [ -f "$table" ] || _print_queue_fail "no $table (Debian package poppler-data)" || return 1
  settings=$(
    echo '# Written by scripts/lib/print-queue.sh for the queue of the print checks.'
    # shellcheck disable=SC2016 # written as it stands, for cups-pdf to expand
    echo 'Out ${HOME}/PDF'
    echo 'Grp lpadmin'
    echo 'DecodeHexStrings 1'
    echo 'GSCall %s -q -dCompatibilityLevel=%s -dNOPAUSE -dBATCH -dSAFER -sDEVICE=pdfwrite' \
      '-sOutputFile="%s" -dAutoRotatePages=/PageByPage -dParseDSCComments=false' \
      '-dAutoFilterColorImages=false -dColorImageFilter=/FlateEncode -dPDFSETTINGS=/prepress' \
      "-f $prologue %s"
  )
  local code
  code=$(
    echo '% Written by scripts/lib/print-queue.sh: run before every job of the queue.'
    awk 'BEGIN { print "/ToviAdobeJapan1 23100 dict def ToviAdobeJapan1 begin" }
         length($1) == 4 && $1 != "0000" { printf "/aj%d 16#%s def\n", NR - 1, $1 }
         END { print "end" }' "$table"
    cat <<'PS'
/definefont {
  1 index type /nametype eq 1 index wcheck and {
    dup /FontName 3 index put
    dup /FontType get 42 eq {
      dup /FontInfo known not { dup /FontInfo 1 dict put } if
      dup /FontInfo get dup wcheck
        { /GlyphNames2Unicode ToviAdobeJapan1 put } { pop } ifelse
    } if
  } if
  systemdict /definefont get exec
} bind def
PS
  )
  if [ "$(cat "$conf" 2>/dev/null)" != "$settings" ]; then
    printf '%s\n' "$settings" | "${_print_queue_sudo[@]}" tee "$conf" >/dev/null
  fi
  if [ "$(cat "$prologue" 2>/dev/null)" != "$code" ]; then
    printf '%s\n' "$code" | "${_print_queue_sudo[@]}" tee "$prologue" >/dev/null
  fi
  # Set up on every run (lpadmin changes a queue that is there), so that
  # what an earlier run or a user changed is set back.
  echo "print-queue: setting up the queues $PRINT_QUEUE and $PRINT_QUEUE_HELD"
  {
    "${_print_queue_sudo[@]}" lpadmin -p "$PRINT_QUEUE" -E -v "cups-pdf:/$PRINT_QUEUE" -m "$ppd" \
      -o PageSize=A4 -o pdftops-renderer-default=pdftocairo -D "Writes every job as a PDF file"
    "${_print_queue_sudo[@]}" lpadmin -p "$PRINT_QUEUE_HELD" -E -v cups-pdf:/ -m "$ppd" \
      -D "Jobs wait here"
  } 2>&1 | { grep -v 'drivers are deprecated' || true; }
  # The one queue prints, the other holds.
  "${_print_queue_sudo[@]}" cupsenable "$PRINT_QUEUE"
  "${_print_queue_sudo[@]}" cupsaccept "$PRINT_QUEUE" "$PRINT_QUEUE_HELD"
  "${_print_queue_sudo[@]}" cupsdisable "$PRINT_QUEUE_HELD"
  "${_print_queue_sudo[@]}" cancel -a "$PRINT_QUEUE_HELD" 2>/dev/null || true
  _lpstat -p "$PRINT_QUEUE" 2>/dev/null | grep -q 'enabled' ||
    _print_queue_fail "the queue $PRINT_QUEUE is not there or not enabled" || return 1
  _lpstat -p "$PRINT_QUEUE_HELD" 2>/dev/null | grep -q 'disabled' ||
    _print_queue_fail "the queue $PRINT_QUEUE_HELD is not there or not stopped" || return 1
  echo "print-queue: $(_lpstat -v "$PRINT_QUEUE")"
}

stop_print_queue() {
  if [ -n "$PRINT_QUEUE_CUPSD_PID" ]; then
    "${_print_queue_sudo[@]}" kill "$PRINT_QUEUE_CUPSD_PID" 2>/dev/null || true
    { wait "$PRINT_QUEUE_CUPSD_PID"; } 2>/dev/null || true
    PRINT_QUEUE_CUPSD_PID=
  fi
}

# Every job of every queue, finished or not: "QUEUE NUMBER" lines.
_print_queue_jobs() {
  _lpstat -W all -o 2>/dev/null | sed -n 's/^\([^ ]*\)-\([0-9][0-9]*\) .*/\1 \2/p'
}

print_queue_last_job() {
  _print_queue_jobs | awk 'BEGIN { n = 0 } $2 > n { n = $2 } END { print n }'
}

wait_print_queue_job() {  # AFTER [SECONDS]
  local after=$1 seconds=${2:-120} queue number file
  for _ in $(seq $((seconds * 5))); do
    read -r queue number < <(_print_queue_jobs | awk -v a="$after" '$2 > a' | sort -k2n | head -n1) ||
      true
    if [ -n "${number:-}" ]; then
      [ "$queue" = "$PRINT_QUEUE" ] ||
        _print_queue_fail "job $number went to $queue, not to $PRINT_QUEUE" || return 1
      if _lpstat -W completed -o "$PRINT_QUEUE" | grep -q "^$PRINT_QUEUE-$number "; then
        file=$(find "$PRINT_QUEUE_DIR" -maxdepth 1 -name "*job_$number.pdf" -print -quit 2>/dev/null)
        [ -n "$file" ] && { echo "$file"; return 0; }
      fi
    fi
    sleep 0.2
  done
  if [ -n "${number:-}" ]; then
    _print_queue_fail "job $number of $PRINT_QUEUE wrote no file into $PRINT_QUEUE_DIR within" \
      "$seconds s (CUPS: $(_lpstat -l -o "$PRINT_QUEUE-$number" 2>&1 | tr '\n' ' '))"
  else
    _print_queue_fail "no job reached any queue within $seconds s"
  fi
}

check_printed_pdf() {  # FILE PAGES
  local file=$1 pages=$2 info count
  info=$(pdfinfo -f 1 -l 999 "$file") || _print_queue_fail "pdfinfo cannot read $file" || return 1
  count=$(sed -n 's/^Pages: *\([0-9]*\)$/\1/p' <<<"$info")
  [ "$count" = "$pages" ] || _print_queue_fail "$file has $count pages, not $pages" || return 1
  # Each page's size and turn: A4 landscape is 842 x 595 points unturned,
  # or 595 x 842 turned by a quarter.
  awk -v file="$file" '
    /^Page +[0-9]+ size:/ { page = $2; w[page] = $4; h[page] = $6 }
    /^Page +[0-9]+ rot:/  { r[$2] = $4 }
    END {
      bad = 0
      for (p in w) {
        wide = (r[p] % 180 == 0) ? w[p] : h[p]
        high = (r[p] % 180 == 0) ? h[p] : w[p]
        if (wide < 841 || wide > 843 || high < 594 || high > 596) {
          printf "print-queue: page %s of %s is %s x %s pt turned %s, not A4 landscape\n",
                 p, file, w[p], h[p], r[p] > "/dev/stderr"
          bad = 1
        }
      }
      exit bad
    }' <<<"$info"
}

printed_names() {  # FILE PAGE NAME..
  local file=$1 page=$2 text name
  shift 2
  text=$(pdftotext -q -f "$page" -l "$page" "$file" - | tr -d ' \t\n\r' | sed 's/　//g')
  for name in "$@"; do
    [[ "$text" == *"$(printf '%s' "$name" | tr -d ' ' | sed 's/　//g')"* ]] && echo "$name"
  done
  return 0
}
