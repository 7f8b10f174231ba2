#include "cli/CommandLine.h"

namespace tremvix::cli {

std::string UsageText() {
    return R"(使い方: tremvix [FILE]                      ウィンドウで開く（FILE はデータセット画面で読み込み済み）
        tremvix コマンド [オプション]          ウィンドウを開かずに処理する

読み込める形式: 標準形式・E-Defence形式の CSV（--layout で選ぶ）、K-NET/KiK-net ASCII、
JMA CSV、PEER AT2（この三つは内容で判別し、同じ記録の他成分も読む）。
出力は UTF-8 の CSV（見出し行つき、改行 LF）を標準出力へ。チャンネル番号は 1 から。
--channels はチャンネルを番号でも ID（データセット画面に出る NS、EW、UD など）でも指定できる。
終了コード: 0 成功、1 ファイルまたはデータを処理できない、2 使い方の誤り。

コマンド:
  --help                       この説明を表示する
  --version                    版を表示する
  --info FILE                  チャンネルごとの channel,id,name,unit,rate_hz,samples,peak,peak_index
                               （peak は絶対値最大の値を符号つきで、同値なら最初のもの。peak_index は 0 から）
  --convert FILE OUT.csv       全チャンネル（先頭 8 まで）を標準形式の CSV に書く（「データ保存」と同じ内容）
  --render FILE OUT.png        メイン画面のグラフ（625×425）を PNG に書く（「グラフ保存」と同じ絵）
  --spectrum FILE --channel K  応答スペクトル damping,period_s,sd,sv,sa,psv,psa
                               （1 質点系、初期静止、地動は区間線形の厳密解、周期の 1/10 以下の刻みで最大値。
                               単位はチャンネルに従う: gal → cm, cm/s, gal。psv = ω·sd, psa = ω²·sd）
  --fourier FILE --channel K   フーリエ振幅スペクトル frequency_hz,amplitude
                               （f = k/(N·dt), k = 0…N/2、振幅 = dt·|DFT|、テーパー・ゼロ詰め・平均除去なし）
  --intensity FILE             計測震度 a0,intensity,reported,class（気象庁の方法。単位は gal に換算）
  --indices FILE               加速度チャンネルごとの channel,id,pga,pga_time_s,pgv,pgd,arias,d5_95,cav
                               （gal に換算し、記録から平均を除いてから計算する。PGV・PGD はプログラムの積分: 平均除去、FIR フィルタ（300 係数）、
                               矩形則。フィルタは記録の振動数（整数 Hz）でメイン画面が設計するもの。
                               Arias = π/(2g)·Σa²dt, g = 980.665、CAV = Σ|a|dt、d5_95 は Arias 積分の
                               5 % から 95 % までの時間で、揺れがなければ空欄）
  --lpgm FILE                  長周期地震動階級 period_s,sva,class（周期 1.6〜7.8 秒の 0.2 秒おき 32 行。
                               気象庁の方法: 周期 20 秒の 2 次ハイパス、h = 0.05 の絶対速度応答の水平ベクトル
                               √(Va_NS² + Va_EW²) の最大 cm/s。階級は 5・15・50・100 cm/s 以上で 1・2・3・4）
  --si FILE                    加速度チャンネルごとの SI 値 channel,id,si（cm/s。h = 0.20 の相対速度応答を
                               0.1〜2.5 秒で積分して 2.4 で割る。台形則、log T で等間隔な 481 周期）
  --rotd FILE                  方位によらない応答スペクトル period_s,psa_a,psa_b,rotd00,rotd50,rotd100,
                               angle100_deg,gmroti50（gal。二成分を 0°〜179° の 1° おきに回転した応答変位の
                               最大 × ω²、RotD50 は 180 個の中央値。period_s = 0 の行は加速度そのもの）
  --survey PATH…               地震一つ分の記録をまとめて一行ずつ record,station,layout,latitude,longitude,rate_hz,
                               samples,pga_ns,pga_ew,pga_ud,pgv_h,intensity,reported,class,lpgm_sva,lpgm_period_s,
                               lpgm_class,si_h,sa_0.1,sa_0.2,sa_0.5,sa_1.0,sa_2.0,sa_5.0
                               （PATH はファイル、フォルダー（下の階層も）、書庫 .tar .tar.gz .tgz .zip（展開せずに読む）。
                               ネットワークの記録は成分をまとめて一記録。record はフォルダーからの相対パス、書庫の中の
                               パス。pga は記録から平均を除いたもの（gal）、pgv_h・si_h・sa は水平二成分の大きいほう、
                               sa は h = 0.05 の絶対加速度応答。当てはまらない値は空欄。読めない記録は飛ばして数える）

共通のオプション:
  --rate HZ                    振動数を記さないファイルのサンプリング振動数（既定 100、1〜1000000）
  --layout standard|edefence   CSV の形式（既定 standard）

--render のオプション:
  --channels 1,2,…             描くチャンネル、番号または ID（ファイルの順に転送。既定は先頭 8）
  --rate HZ                    振動数を記さないファイルの振動数（記録の振動数は整数 Hz に丸めて使う）
  --time SECONDS               表示時間（既定 50 秒）
  --start SAMPLE               開始点（既定 0）
  --overlay                    重ね書き
  --same-scale V               同一スケール（1 目盛り V）
  --mono                       白黒（カラーを外す）
  --filter                     転送時のローパスフィルタをかける

--spectrum のオプション:
  --channel K                  チャンネル（加速度の単位のもの）
  --damping Z[,Z…]             減衰定数（既定 0.05、0 以上 1 未満）。この順に出力し、同じ値は一度だけ
  --periods T[,T…]             周期（秒、0 より大きく 1000 以下）。指定した周期だけを昇順で計算する
                               （既定は 0.02〜10 秒の対数等間隔 200 点）

--fourier のオプション:
  --channel K                  チャンネル（単位は問わない）
  --smooth B                   バンド幅 B Hz（0 より大きく 1000000 以下）の Parzen ウィンドウで平滑化する

--intensity のオプション:
  --channels A,B,C             NS、EW、UD の順に別々の三つ、番号または ID（例 NS,EW,UD。既定は ID と
                               計測点名から NS・EW・UD を探す）

--lpgm と --rotd のオプション:
  --channels A,B               水平二成分、番号または ID（既定は ID と計測点名から NS・EW を探す）

--rotd のオプション:
  --damping Z                  減衰定数（既定 0.05）
  --periods T[,T…]             周期（既定は --spectrum と同じ 200 点）

--survey のオプション:
  --threads N                  並列に計算するスレッド数（既定はコア数、1〜256）。出力は N によらず同じ
  --out FILE                   表をファイルに書く（既定は標準出力）
  --failures FILE              読めなかった記録の表 record,reason を書く（既定は件数だけを標準エラーへ）
                               終了コードは全記録を読めたとき 0、読めなかったものがあるとき 1

--indices のオプション:
  --integration none|bandpass|lowpass
                               積分のフィルタ（300 係数の FIR）: none なし、bandpass（既定）ナイキスト
                               振動数の 1.5 % から 25 % までを通し 1 % 以下と 37.5 % 以上を止める、
                               lowpass ナイキスト振動数の 25 % までを通し 37.5 % 以上を止める

例:
  for f in records/*.csv; do tremvix --info "$f"; done
  tremvix --render SMP0010001011200.NS graph.png --time 25 --overlay
  tremvix --spectrum record.csv --channel 1 --damping 0.02,0.05 > spectrum.csv
)";
}

}  // namespace tremvix::cli
