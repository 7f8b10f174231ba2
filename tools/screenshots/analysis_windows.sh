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
source "$here/tools/screenshots/common.sh"
start_display
start_program "$examples/sample_standard.csv"

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
click "$indices" 852 710   # 閉じる

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
