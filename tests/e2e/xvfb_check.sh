#!/usr/bin/env bash
# Starts the real program under Xvfb, checks the main window's geometry and title,
# and keeps a screenshot. Exits 77 (skipped) when no X server can be started here.
set -u
binary=$1
examples=$2
out=$3
mkdir -p "$out"
command -v Xvfb >/dev/null && command -v xdotool >/dev/null && command -v import >/dev/null || exit 77

# Xvfb picks a free display itself, so that parallel runs never share one. A
# server that goes away under a loaded machine is started again, twice at most.
xvfb=""
app=""
cleanup() { [ -n "$app" ] && kill "$app" 2>/dev/null; [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; }
trap cleanup EXIT
unset QT_QPA_PLATFORM
start_program() {
  local displayfile="$out/display"
  rm -f "$displayfile"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$displayfile" >"$out/xvfb.log" 2>&1 &
  xvfb=$!
  for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.1; done
  [ -s "$displayfile" ] || return 77
  export DISPLAY=":$(head -n 1 "$displayfile")"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  xdpyinfo >/dev/null 2>&1 || return 77
  "$binary" "$examples/sample_standard.csv" >"$out/tremvix.log" 2>&1 &
  app=$!
  window=""
  for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --name '^Tremvix Ver3\.3$' 2>/dev/null | head -n 1)
    [ -n "$window" ] && return 0
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
  done
  return 1
}
window=""
for attempt in 1 2 3; do
  start_program && break
  status=$?
  cleanup
  app=""
  xvfb=""
  [ "$status" -eq 77 ] && [ "$attempt" -eq 3 ] && exit 77
done
if [ -z "$window" ]; then echo "main window did not appear"; cat "$out/tremvix.log"; exit 1; fi
geometry=""
for _ in $(seq 100); do
  geometry=$(xdotool getwindowgeometry "$window" 2>/dev/null | sed -n 's/.*Geometry: //p')
  [ "$geometry" = "1062x577" ] && break
  sleep 0.1
done
echo "main window geometry: $geometry"
if [ "$geometry" != "1062x577" ]; then echo "expected 1062x577"; exit 1; fi
setdata=""
for _ in $(seq 100); do
  setdata=$(xdotool search --onlyvisible --name '^データセット$' 2>/dev/null | head -n 1)
  [ -n "$setdata" ] && break
  sleep 0.1
done
if [ -z "$setdata" ]; then echo "the data set window is not shown for the file named on the command line"; exit 1; fi
sleep 1
xdotool windowactivate "$window" >/dev/null 2>&1 || true
import -window root "$out/screen.png"
import -window "$window" "$out/main_window.png"
import -window "$setdata" "$out/setdata_window.png"
# A window drawn with Japanese glyphs, not boxes, needs the IPA fonts.
fc-list | grep -q 'IPAPGothic' || { echo "IPAPGothic font missing"; exit 1; }
colours=$(convert "$out/main_window.png" -format '%k' info:)
echo "distinct colours in the main window: $colours"
[ "$colours" -gt 20 ] || { echo "the main window looks empty"; exit 1; }

# Mark every channel, ask for the drawing and transfer, with real clicks.
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.3; }
click "$setdata" 130 540   # 全選択
click "$setdata" 335 624   # 波形を描く
click "$setdata" 305 540   # 転送
sleep 1
click "$setdata" 397 540   # 閉じる: out of the way of the main window
xdotool windowactivate "$window" >/dev/null 2>&1 || true
sleep 0.5
import -window "$window" "$out/after_transfer.png"
red=$(convert "$out/after_transfer.png" -format %c histogram:info: | grep -i '#FF0000' | sed 's/^ *\([0-9]*\):.*/\1/' | head -n 1)
echo "red trace pixels after the transfer: ${red:-0}"
[ "${red:-0}" -gt 1000 ] || { echo "no red traces were drawn"; exit 1; }

# The real pointer over the canvas draws the cursor and the readout.
# The canvas starts 16 pixels below the top of the client area, under the menu bar:
# its first white row gives the menu bar's height.
canvas_top=$(convert "$out/after_transfer.png" -crop 1x120+20+0 +repage txt:- | awk -F'[,:]' '/#FFFFFF/ {print $2; exit}')
menu=$(( ${canvas_top:-16} - 16 ))
echo "menu bar height: $menu"
xdotool mousemove --window "$window" 300 $(( 16 + 60 + ${menu#-} )); sleep 0.5
import -window "$window" "$out/cursor_a.png"
xdotool mousemove --window "$window" 420 $(( 16 + 60 + ${menu#-} )); sleep 0.5
import -window "$window" "$out/cursor_b.png"
moved=$(compare -metric AE "$out/cursor_a.png" "$out/cursor_b.png" null: 2>&1 || true)
echo "pixels changed by a pointer move: $moved"
[ "${moved%%.*}" -gt 300 ] 2>/dev/null || { echo "the pointer move did not change the canvas"; exit 1; }

# "コピー" puts the picture on the X clipboard, where other programs can paste it.
click "$window" 693 $(( 472 + 12 + ${menu#-} ))
rm -f "$out/clipboard.png"
xclip -selection clipboard -t image/png -o >"$out/clipboard.png" 2>/dev/null || true
size=$(identify -format '%wx%h' "$out/clipboard.png" 2>/dev/null || true)
echo "clipboard picture: ${size:-none}"
[ "$size" = "625x425" ] || { echo "the clipboard holds no 625x425 picture"; exit 1; }

# "データリスト" shows the samples just transferred.
click "$window" 694 $(( 448 + 8 + ${menu#-} ))
datalist=""
for _ in $(seq 50); do
  datalist=$(xdotool search --onlyvisible --name '^DataList$' 2>/dev/null | head -n 1)
  [ -n "$datalist" ] && break
  sleep 0.1
done
[ -n "$datalist" ] || { echo "the data list window did not open"; exit 1; }
sleep 0.5
import -window "$datalist" "$out/datalist_window.png"
echo "screenshots in $out"
