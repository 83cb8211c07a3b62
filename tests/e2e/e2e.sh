#!/usr/bin/env bash
# The built viewer end to end in a real X window (Xvfb, no window manager) on
# a generated medium in drive D:, driven with xdotool at the designed pixel
# positions: a year button, the period and comma keys, zoom in and out by
# double-clicks, the pop-up menu, printing the ad and the checklist through a
# real CUPS queue (cups-pdf, on a CUPS server of our own), Print Setup onto a
# queue that rejects jobs and onto a stopped one and the failure they must
# bring, copying the ad to the X clipboard, closing the window, and the window
# geometry saved at the end. Screenshots and PDFs are kept in OUT for people
# to look at.
# Usage: e2e.sh KestrunAds make-demo-medium e2e-pagecount e2e-close e2e-messagebox OUT
set -uo pipefail
exe="$1"
maker="$2"
pagecount="$3"
closer="$4"
boxer="$5"
out="$6"
here="$(cd "$(dirname "$0")" && pwd)"
# shellcheck source=tests/e2e/lib.sh
source "$here/lib.sh"
need_tools Xvfb xdotool import compare convert identify

QUEUE=KestrunAdsE2E
# Queues that must get no job: one rejects jobs (cupsreject), one is stopped
# (cupsdisable) and would keep a job unprinted.
REJECTING=KestrunAdsRejecting
STOPPED=KestrunAdsStopped
CUPSD_PID=""
E2E_CLEANUP+=('[ -n "$CUPSD_PID" ] && kill "$CUPSD_PID" 2>/dev/null')
e2e_init

# --- A print queue of our own: a private CUPS server and a cups-pdf queue.
printing=0
pdf_dir=""
# Why start_cups gave no queue.
no_queue=""
start_cups() {
  local tool
  for tool in cupsd lpadmin lpstat; do
    command -v "$tool" >/dev/null || {
      no_queue="CUPS is not installed ($tool missing)."
      return 1
    }
  done
  [ -x /usr/lib/cups/backend/cups-pdf ] || {
    no_queue="printer-driver-cups-pdf is not installed."
    return 1
  }
  [ "$(id -u)" -eq 0 ] || {
    no_queue="starting CUPS with the cups-pdf back end needs root."
    return 1
  }
  local ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
  [ -r "$ppd" ] || {
    no_queue="$ppd is missing."
    return 1
  }
  local c="$work/cups"
  mkdir -p "$c/etc/ppd" "$c/spool/tmp" "$c/cache" "$c/state" "$c/log"
  chmod 1777 "$c/spool/tmp"
  chgrp lp "$c/spool" "$c/cache" 2>/dev/null
  chmod 710 "$c/spool"
  cat >"$c/etc/cups-files.conf" <<EOF
SystemGroup root
ServerRoot $c/etc
RequestRoot $c/spool
TempDir $c/spool/tmp
CacheDir $c/cache
StateDir $c/state
Printcap $c/printcap
ErrorLog $c/log/error_log
AccessLog $c/log/access_log
PageLog $c/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
EOF
  cat >"$c/etc/cupsd.conf" <<EOF
Listen $c/cups.sock
LogLevel info
Browsing No
WebInterface No
<Location />
  Order allow,deny
  Allow localhost
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
  cupsd -f -c "$c/etc/cupsd.conf" -s "$c/etc/cups-files.conf" >"$c/cupsd.out" 2>&1 &
  CUPSD_PID=$!
  for _ in $(seq 100); do
    [ -S "$c/cups.sock" ] && break
    sleep 0.1
  done
  export CUPS_SERVER="$c/cups.sock"
  if ! lpadmin -p "$QUEUE" -v cups-pdf:/ -E -P "$ppd" 2>"$c/lpadmin.log" ||
    ! lpadmin -d "$QUEUE" 2>>"$c/lpadmin.log" ||
    ! lpadmin -p "$REJECTING" -v cups-pdf:/ -E -P "$ppd" 2>>"$c/lpadmin.log" ||
    ! cupsreject "$REJECTING" 2>>"$c/lpadmin.log" ||
    ! lpadmin -p "$STOPPED" -v cups-pdf:/ -E -P "$ppd" 2>>"$c/lpadmin.log" ||
    ! cupsdisable "$STOPPED" 2>>"$c/lpadmin.log"; then
    no_queue="CUPS did not take the queue (its logs are above)."
    cat "$c/lpadmin.log" "$c/cupsd.out" "$c/log/error_log" 2>/dev/null
    return 1
  fi
  export PRINTER="$QUEUE"
  # cups-pdf writes into the job owner's folder named in its configuration.
  local home outdir
  home="$(getent passwd "$(id -un)" | cut -d: -f6)"
  outdir="$(sed -n 's/^Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -n 1)"
  outdir="${outdir:-\${HOME\}/PDF}"
  outdir="${outdir//\$\{HOME\}/$home}"
  pdf_dir="${outdir//\$\{USER\}/$(id -un)}"
  echo "printing through queue $QUEUE of our own CUPS server into $pdf_dir"
  return 0
}

# Waits for job N of the queue to finish and moves its PDF to OUT/NAME.pdf.
take_pdf() {
  local job="$1" name="$2" f=""
  for _ in $(seq 120); do
    f="$(find "$pdf_dir" -maxdepth 1 -name "*-job_$job.pdf" 2>/dev/null | head -n 1)"
    [ -n "$f" ] && ! lpstat -o "$QUEUE" 2>/dev/null | grep -q "^$QUEUE-$job " && break
    f=""
    sleep 0.5
  done
  if [ -z "$f" ]; then
    echo "no PDF came out of job $job; the queue's log:" >&2
    tail -n 20 "$work/cups/log/error_log" >&2
    return 1
  fi
  sleep 0.5 # the back end closes the file after the job is reported done
  mv "$f" "$out/$name.pdf"
  echo "$out/$name.pdf"
}

pdf_pages() { pdfinfo "$1" 2>/dev/null | sed -n 's/^Pages:[[:space:]]*//p'; }

# True when the message box answered last shows text $1: its place on the
# screenshot is the same picture, to the pixel, as the box that the viewer's
# own message-box code draws for that text on this display.
box_says() {
  local ref="$work/box-said.png" d
  XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb "$boxer" "$ref" "$1" >/dev/null 2>&1 ||
    return 1
  [ "$(identify -format '%wx%h' "$ref" 2>/dev/null)" = "${BOX_GEOMETRY%%+*}" ] || return 1
  d="$(region_diff "$SHOT" "$BOX_GEOMETRY" "$ref")"
  [ -n "$d" ] && below "$d" 0.01
}

PRINTED="Kestrun Advertisement printed!"
COMPLETE="Printing complete!"
refused() { printf 'Nothing was printed.\r\n\r\nThe printer "%s" %s' "$1" "$2"; }

# --- The medium, the display, the printer and the program.
XDG_RUNTIME_DIR="$work/runtime" "$maker" "$work/cd" >/dev/null || die "the demo medium could not be written"
# Notes after the table make the checklist run over several pages, so that
# the printed page count says something.
list="$work/cd/RichText/KestrunAdsList.rtf"
{
  head -c -2 "$list"
  for n in $(seq 120); do
    printf '\\pard\\fs24 Note %d: ads seen at shows, in magazines and in dealers'"'"' windows.\\par\n' "$n"
  done
  echo "}"
} >"$work/list.rtf" && mv "$work/list.rtf" "$list"
start_xvfb "$work/xvfb.log" || die "Xvfb did not start"
echo "display $DISPLAY"
if start_cups; then
  printing=1
elif [ -n "${CI:-}" ]; then
  # CI installs CUPS and cups-pdf and runs as root: printing must be checked there.
  fail "no print queue could be started in CI: $no_queue"
else
  echo "SKIP printing: $no_queue"
fi

ad() { echo "$work/cd/ads/$1"; }
# The pictures the views should show, made from the ad files.
convert "$(ad 64tova00.jpg)" -resize '443x555!' "$work/ad00-stretched.png"
convert "$(ad 64tova01.jpg)" -resize '443x555!' "$work/ad01-stretched.png"
convert "$(ad 64tova00.jpg)" -crop 600x492+0+0 +repage "$work/ad00-natural.png"
convert "$(ad 64tova01.jpg)" -crop 600x492+0+0 +repage "$work/ad01-natural.png"

KESTRUN_DRIVES="D=$work/cd" start_viewer "$exe"

step "start"
main_window
echo "main window $win at $X,$Y, $WIDTH x $HEIGHT"
shot start

# Designed places, in pixels of the client area.
image1="443x555+$((cx + 328))+$cy"          # Image1 in the normal view
zoomed="600x492+$((cx + 8))+$cy"            # picDest's first 600 columns when zoomed in
year1964=("$((cx + 8 + 24 + 36))" "$((cy + 16 + 16))") # cmdYear(0) in SSPanel2
picture=("$((cx + 328 + 221))" "$((cy + 277))")
zoompicture=("$((cx + 8 + 300))" "$((cy + 246))")

step "year 1964"
xdotool mousemove --sync "${year1964[@]}" click 1
expect_view year-1964 "$image1" "$work/ad00-stretched.png" "$work/ad01-stretched.png"

step "period: the next ad"
xdotool key period
expect_view period "$image1" "$work/ad01-stretched.png" "$work/ad00-stretched.png"

step "comma: back"
xdotool key comma
expect_view comma "$image1" "$work/ad00-stretched.png" "$work/ad01-stretched.png"

step "double-click the picture: zoom in"
xdotool mousemove --sync "${picture[@]}" click --repeat 2 --delay 80 1
expect_view zoom-in "$zoomed" "$work/ad00-natural.png" "$work/ad01-natural.png"

step "double-click picDest: zoom out"
xdotool mousemove --sync "${zoompicture[@]}" click --repeat 2 --delay 80 1
expect_view zoom-out "$image1" "$work/ad00-stretched.png" "$work/ad01-stretched.png"

# Opens the pop-up menu on the picture; prints its window id.
open_popup() {
  local before menu
  before="$(xdotool search --onlyvisible --pid "$viewer" 2>/dev/null)"
  xdotool mousemove --sync "${picture[@]}" click 3
  menu="$(wait_new_window "" "$before")" || return 1
  echo "$menu"
}

step "right click: the pop-up menu, dismissed"
if menu="$(open_popup)"; then
  shot popup
  xdotool key Escape
  if wait_gone "$menu"; then
    expect_view popup-dismissed "$image1" "$work/ad00-stretched.png" "$work/ad01-stretched.png"
  else
    fail "the pop-up menu did not close on Escape"
  fi
else
  fail "no pop-up menu opened on a right click"
fi

step "copy the ad to the X clipboard"
if ! command -v xclip >/dev/null; then
  if [ -n "${CI:-}" ]; then fail "xclip is missing in CI"; else echo "SKIP clipboard: xclip is not installed."; fi
elif menu="$(open_popup)"; then
  xdotool key Down Down Return
  wait_gone "$menu" || fail "the pop-up menu stayed open"
  targets=""
  for _ in $(seq 50); do
    targets="$(xclip -selection clipboard -o -t TARGETS 2>/dev/null)"
    grep -qx "image/png" <<<"$targets" && break
    sleep 0.1
  done
  if grep -qx "image/png" <<<"$targets"; then
    xclip -selection clipboard -o -t image/png >"$out/clipboard.png"
    size="$(identify -format '%wx%h' "$out/clipboard.png" 2>/dev/null)"
    convert "$(ad 64tova00.jpg)" "$work/ad00.png"
    d="$(compare -metric MAE "$out/clipboard.png" "$work/ad00.png" null: 2>&1 | sed -n 's/.*(\(.*\)).*/\1/p')"
    if [ "$size" = "600x750" ] && [ -n "$d" ] && below "$d" 0.02; then
      echo "clipboard: the ad, $size (mean difference $d)"
    else
      fail "the clipboard holds a picture of $size that is not the ad (mean difference ${d:-none})"
    fi
  else
    fail "no picture on the clipboard; it offers: $(echo "$targets" | tr '\n' ' ')"
  fi
else
  fail "no pop-up menu for copying"
fi

job=0
step "print the ad through the queue"
if [ "$printing" -eq 1 ]; then
  if menu="$(open_popup)"; then
    xdotool key Down Return
    wait_gone "$menu"
    if answer_box "" print-ad-question && answer_box "$BOX" print-ad-done; then
      box_says "$PRINTED" || fail "the ad's last box does not say \"$PRINTED\"; see $SHOT"
      job=$((job + 1))
      if pdf="$(take_pdf "$job" ad)"; then
        pages="$(pdf_pages "$pdf")"
        images="$(pdfimages -list "$pdf" 2>/dev/null | tail -n +3 | wc -l)"
        if [ "$pages" = "1" ] && [ "$images" -ge 1 ]; then
          echo "ad printed: $pdf, 1 page with the picture"
        else
          fail "the ad's PDF has ${pages:-no} pages and $images pictures"
        fi
      else
        fail "the ad's print job gave no PDF"
      fi
    else
      fail "the print question and confirmation did not come"
    fi
  else
    fail "no pop-up menu for printing"
  fi
fi

step "the checklist in the document viewer"
# "Ads List" is a command on the menu bar itself, the entry after File.
before="$(windows_named "Kestrun Advertising Checklist")"
mapfile -t entries < <(menu_entries)
echo "menu bar entries (screen columns): ${entries[*]}"
if [ "${#entries[@]}" -eq 3 ]; then
  read -r first last <<<"${entries[1]}"
  xdotool mousemove --sync $(((first + last) / 2)) $((Y + MENU_BAR / 2)) click 1
else
  fail "the menu bar does not show its three entries (File, Ads List, Help)"
fi
if doc="$(wait_new_window "Kestrun Advertising Checklist " "$before")"; then
  eval "$(xdotool getwindowgeometry --shell "$doc" | sed 's/^/DOC_/')"
  shot document
  if [ "$printing" -eq 1 ]; then
    # cmdprint at 7440, 6240 twips (496, 416 pixels), 25 pixels square.
    xdotool mousemove --sync $((DOC_X + 508)) $((DOC_Y + 428)) click 1
    if answer_box "" print-document-question && answer_box "$BOX" print-document-done; then
      box_says "$COMPLETE" || fail "the checklist's last box does not say \"$COMPLETE\"; see $SHOT"
      job=$((job + 1))
      if pdf="$(take_pdf "$job" checklist)"; then
        pages="$(pdf_pages "$pdf")"
        want="$(QT_QPA_PLATFORM=offscreen "$pagecount" "$QUEUE" "$work/cd/RichText/KestrunAdsList.rtf" "$work/expected.pdf" 2>/dev/null)"
        # The queue turns text into drawn glyphs, so its first page is compared
        # as a picture with the same page laid out straight into a file.
        pdftoppm -r 40 -f 1 -l 1 -png -singlefile "$pdf" "$work/printed" 2>/dev/null
        pdftoppm -r 40 -f 1 -l 1 -png -singlefile "$work/expected.pdf" "$work/expected" 2>/dev/null
        d="$(compare -metric MAE "$work/printed.png" "$work/expected.png" null: 2>&1 | sed -n 's/.*(\(.*\)).*/\1/p')"
        if [ -z "$want" ] || [ "${want%% *}" -lt 2 ]; then
          fail "the checklist's pages could not be counted for the queue's paper (${want:-none})"
        elif [ "$pages" != "${want%% *}" ]; then
          fail "the checklist came out on ${pages:-no} pages, laid out on ${want%% *} (${want#* })"
        elif [ -z "$d" ] || ! below "$d" 0.03; then
          fail "the checklist's first page differs from its layout (mean difference ${d:-none})"
        else
          echo "checklist printed: $pdf, $pages pages of ${want#* }, the first as laid out (mean difference $d)"
        fi
      else
        fail "the checklist's print job gave no PDF"
      fi
    else
      fail "the print question and confirmation of the checklist did not come"
    fi
  else
    echo "SKIP document printing: no print queue."
  fi
  # OK: SSCommand1 at 120, 6240 twips, 484 pixels wide.
  xdotool mousemove --sync $((DOC_X + 250)) $((DOC_Y + 428)) click 1
  wait_gone "$doc" || fail "the document viewer did not close on OK"
else
  fail "the document viewer did not open from \"Ads List\""
fi

# Print Setup from the File menu: queue $1 picked by typing its name into the
# printer list, which has the keyboard, and OK, the default button.
choose_printer() {
  local before menu dlg
  before="$(windows_named "")"
  click_menu_entry 0 3 || return 1
  menu="$(wait_new_window "" "$before")" || return 1
  # Copy, Remove, Clip, Resolution, Print Ad, Print Setup.
  xdotool key Down Down Down Down Down Down Return
  wait_gone "$menu"
  dlg="$(wait_new_window "Print Setup" "")" || return 1
  for _ in $(seq 50); do
    xdotool windowfocus "$dlg" 2>/dev/null
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$dlg" ] && break
    sleep 0.1
  done
  xdotool type "$1"
  sleep 0.3
  shot "print-setup-$1"
  xdotool key Return
  wait_gone "$dlg"
}

# No job of any state in queue $1.
no_job_in() { [ -z "$(lpstat -W all -o "$1" 2>/dev/null)" ]; }

step "printing to a queue that rejects jobs, then to a stopped one"
if [ "$printing" -eq 1 ]; then
  for q in "$REJECTING" "$STOPPED"; do
    [ "$q" = "$REJECTING" ] && why="does not accept jobs." || why="is stopped."
    if ! choose_printer "$q"; then
      fail "Print Setup did not take queue $q"
      continue
    fi
    if menu="$(open_popup)"; then
      xdotool key Down Return
      wait_gone "$menu"
      if answer_box "" "refused-ad-question-$q" && answer_box "$BOX" "refused-ad-$q"; then
        if box_says "$(refused "$q" "$why")"; then
          echo "ad to $q: the box says it was not printed, as $q $why"
        else
          fail "the ad's box for $q does not say that nothing was printed; see $SHOT"
        fi
      else
        fail "the print question and answer for $q did not come"
      fi
    else
      fail "no pop-up menu for printing to $q"
    fi
    no_job_in "$q" || fail "a job reached $q: $(lpstat -W all -o "$q")"
  done
  # The checklist to the stopped queue: the same words as for the ad.
  before="$(windows_named "Kestrun Advertising Checklist")"
  if click_menu_entry 1 3 && doc="$(wait_new_window "Kestrun Advertising Checklist " "$before")"; then
    eval "$(xdotool getwindowgeometry --shell "$doc" | sed 's/^/DOC_/')"
    xdotool mousemove --sync $((DOC_X + 508)) $((DOC_Y + 428)) click 1
    if answer_box "" refused-document-question && answer_box "$BOX" refused-document; then
      box_says "$(refused "$STOPPED" "is stopped.")" ||
        fail "the checklist's box for $STOPPED does not say that nothing was printed; see $SHOT"
    else
      fail "the print question and answer of the checklist for $STOPPED did not come"
    fi
    no_job_in "$STOPPED" || fail "a job reached $STOPPED: $(lpstat -W all -o "$STOPPED")"
    xdotool mousemove --sync $((DOC_X + 250)) $((DOC_Y + 428)) click 1
    wait_gone "$doc" || fail "the document viewer did not close on OK"
  else
    fail "the document viewer did not open again from \"Ads List\""
  fi
fi

step "move the window, then close it"
xdotool windowmove "$win" 40 30
for _ in $(seq 50); do
  eval "$(xdotool getwindowgeometry --shell "$win")"
  [ "$X" = 40 ] && [ "$Y" = 30 ] && break
  sleep 0.1
done
shot before-close
# The close box's message; there is no window manager to draw the box.
"$closer" "$win" || fail "the main window could not be asked to close"
if ! wait_ended "$viewer"; then
  fail "the program did not end when its window was closed"
else
  viewer=""
  [ "$RC" -eq 0 ] || fail "the program ended with code $RC"
fi

ini="$work/config/KestrunAds/KestrunAds.ini"
cp "$ini" "$out/KestrunAds.ini" 2>/dev/null
setting() { sed -n "s/^$1=//p" "$ini" 2>/dev/null | tr -d '\r'; }
saved="$(setting MainLeft) $(setting MainTop) $(setting MainWidth) $(setting MainHeight)"
want="$((X * 15)) $((Y * 15)) $((WIDTH * 15)) $((HEIGHT * 15))"
if [ "$saved" = "$want" ]; then
  echo "saved geometry (twips): $saved"
else
  fail "saved geometry '$saved', expected '$want'"
fi

e2e_finish
