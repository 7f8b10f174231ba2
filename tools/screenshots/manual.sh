#!/usr/bin/env bash
# The pictures of the user manual (docs/manual-ja.md), made from the real windows
# under Xvfb so that they can be made again whenever the windows change:
#   tools/screenshots/manual.sh [OUT_DIR] [BINARY] [EXAMPLES_DIR]   (docs/images by default)
set -u
here=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:-$here/docs/images}
binary=${2:-$here/build/src/tremvix}
examples=${3:-$here/examples}
source "$here/tools/screenshots/common.sh"

# Client coordinates (no window manager, IPA fonts): the main window's menu bar is
# 19 pixels high above its controls.
readonly MENU=19
graph_button() { click "$main" 605 $((472 + MENU + 12)); }

# 1. The main window as it starts, then the sample scanned and three channels drawn.
start_display
start_program
main=$(window_named 'Tremvix Ver3\.3')
shot "$main" main-start.png
stop_all

SCREEN=1600x900x24 start_display   # the data list stands at 784, 409
start_program "$examples/sample_standard.csv"
main=$(window_named 'Tremvix Ver3\.3')
setdata=$(window_named 'データセット')
sleep 1
shot "$setdata" setdata.png
click "$setdata" 130 540   # 全選択
click "$setdata" 335 623   # 波形を描く
click "$setdata" 305 540   # 転送
sleep 1
click "$setdata" 397 540   # 閉じる
xdotool mousemove --window "$main" 300 120   # the cursor and its readout
shot "$main" main-graph.png
click "$main" 688 $((448 + MENU + 8))        # データリスト
xdotool mousemove --window "$main" 300 120 click 1
sleep 0.5
shot "$(window_named 'DataList')" datalist.png
stop_all

# 2. A KiK-net record: its six components listed, three of them drawn.
start_display
start_program "$examples/network/SMPH010001011200.NS2"
main=$(window_named 'Tremvix Ver3\.3')
setdata=$(window_named 'データセット')
sleep 1
shot "$setdata" kiknet-setdata.png
for row in 101 121 141; do click "$setdata" 60 "$row"; done
click "$setdata" 335 623   # 波形を描く
click "$setdata" 305 540   # 転送
sleep 1
click "$setdata" 397 540   # 閉じる
shot "$main" kiknet-graph.png
stop_all

# 3. The same main window on a screen scaled by two.
SCREEN=2400x1400x24 start_display
QT_SCALE_FACTOR=2 start_program "$examples/sample_standard.csv"
main=$(window_named 'Tremvix Ver3\.3')
setdata=$(window_named 'データセット')
sleep 1
xdotool windowmove "$setdata" 1300 0
sleep 0.5
click "$setdata" 260 1080   # 全選択
click "$setdata" 670 1246   # 波形を描く
click "$setdata" 610 1080   # 転送
sleep 1.5
click "$setdata" 794 1080   # 閉じる
xdotool mousemove --window "$main" 600 300
shot "$main" main-scaled.png
stop_all

# 4. The analysis windows.
"$here/tools/screenshots/analysis_windows.sh" "$out" "$binary" "$examples"
rm -f "$out/display" "$out/xvfb.log" "$out/tremvix.log"
