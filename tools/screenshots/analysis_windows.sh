#!/usr/bin/env bash
# Screenshots of the analysis windows of the real program under Xvfb, with the
# standard sample transferred: the 5 % response spectra of its three channels, a
# spectral ratio, the Fourier spectra and the peak and intensity table.
#   tools/screenshots/analysis_windows.sh OUT_DIR [BINARY] [EXAMPLES_DIR]
set -u
here=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:?usage: analysis_windows.sh OUT_DIR [BINARY] [EXAMPLES_DIR]}
binary=${2:-$here/build/src/tremvix}
examples=${3:-$here/examples}
mkdir -p "$out"
for tool in Xvfb xdotool import xdpyinfo; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (make setup installs it)"; exit 1; }
done

xvfb=""
app=""
cleanup() { [ -n "$app" ] && kill "$app" 2>/dev/null; [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; }
trap cleanup EXIT
unset QT_QPA_PLATFORM
displayfile="$out/display"
rm -f "$displayfile"
Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$displayfile" >"$out/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.1; done
[ -s "$displayfile" ] || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$(head -n 1 "$displayfile")"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

"$binary" "$examples/sample_standard.csv" >"$out/tremvix.log" 2>&1 &
app=$!

# The visible window of that exact title, waited for.
window_named() {
  local id=""
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$id" ] && break
    sleep 0.1
  done
  [ -n "$id" ] || { echo "window \"$1\" did not appear" >&2; exit 1; }
  echo "$id"
}
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.5; }
shot() { sleep 0.5; import -window "$1" "$out/$2"; echo "$out/$2"; }

main=$(window_named 'Tremvix Ver3\.3')
setdata=$(window_named 'データセット')
sleep 1
click "$setdata" 130 540   # 全選択
click "$setdata" 305 540   # 転送
sleep 1
click "$setdata" 397 540   # 閉じる

# Without a window manager the windows have no frames: client coordinates, the menu
# bar at the top of the main window ("解析" at x 199 with the IPA fonts).
open_analysis_item() {
  click "$main" 199 8
  click "$main" 240 "$1"
}

open_analysis_item 51      # 最大値・震度
indices=$(window_named '最大値・震度')
shot "$indices" indices.png
click "$indices" 852 404   # 閉じる

open_analysis_item 30      # スペクトル
spectrum=$(window_named 'スペクトル解析')
sleep 1
xdotool mousemove --window "$spectrum" 760 200   # the readout of the pointer's period
shot "$spectrum" spectrum_response.png
click "$spectrum" 60 250   # スペクトル比
xdotool mousemove --window "$spectrum" 700 200
shot "$spectrum" spectrum_ratio.png
click "$spectrum" 60 229   # フーリエスペクトル
shot "$spectrum" spectrum_fourier.png
