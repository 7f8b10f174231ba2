// The peak and intensity window's controls at their client positions, and what each states.
#include "ui/analysis/Uindices.h"
#include "ui/analysis/LongPeriodPanel.h"
#include "ui/base/FormBuilder.h"
#include "ui/widgets/StringGrid.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using namespace FormBuilder;

namespace {

constexpr int kColumns = 10;
const int kColumnWidths[kColumns] = {40, 90, 90, 80, 90, 90, 100, 80, 90, 90};

QLabel* LargeLabel(QWidget* parent, const char* name, int x, int y, int pixelSize) {
    QLabel* label = Label(parent, name, x, y, QString());
    label->setFont(ProportionalFont(pixelSize, true));
    return label;
}

}  // namespace

void TIndices::BuildLayout() {
    StringGrid1 = new StringGrid(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setGeometry(8, 8, 884, 170);
    StringGrid1->setColCount(kColumns);
    StringGrid1->setRowCount(2);
    StringGrid1->setFixedRows(1);
    StringGrid1->setFixedCols(0);
    StringGrid1->setDefaultRowHeight(18);
    StringGrid1->setFixedColor(ColorOf(0xFFFFD2));
    for (int c = 0; c < kColumns; ++c) StringGrid1->setColWidth(c, kColumnWidths[c]);
    StringGrid1->setToolTip(QStringLiteral(
        "どの値も、記録からその平均値を除いた加速度で計算する（観測網が公表する最大加速度と同じ）\n"
        "PGA: 加速度の絶対値の最大と、その時刻（最初のサンプルを0秒、同じ値なら最初のもの）\n"
        "PGV, PGD: 主画面の「フィルタ(積分時)」のフィルタで、ポップアップの速度・変位(cm)変換と同じ積分\n"
        "　（平均値の除去、フィルタ、矩形則）をして得た速度・変位の絶対値の最大\n"
        "Arias: π/(2g)·Σa²·dt（g = 980.665 cm/s²、矩形則）\n"
        "D5-95: Σa²·dt の累積が全体の5%に達してから95%に達するまでの時間\n"
        "CAV: Σ|a|·dt（矩形則）\n"
        "SI: (1/2.4)·∫Sv dT（周期 0.1〜2.5 秒、Sv は減衰定数 h = 0.20 の相対速度応答）。記録のまま（平均値は除かない）\n"
        "単位が加速度（gal, cm/s2, m/s2, mm/s2, g）のチャンネルだけを、gal に換算して計算する"));
    Label1 = Label(this, "Label1", 8, 184, QString());
    BuildIntensityBox();
    BuildSiBox();
    LongPeriod = new LongPeriodPanel(this);
    LongPeriod->setGeometry(8, 424, 884, 266);
    Button1 = Button(this, "Button1", 8, 698, 80, 25, QStringLiteral("コピー"),
                     QStringLiteral("表と長周期地震動階級をタブ区切りのテキストでクリップボードにコピー（1行目は計算の条件）"));
    Button2 = Button(this, "Button2", 96, 698, 80, 25, QStringLiteral("CSV保存"),
                     QStringLiteral("表と長周期地震動階級をCSVファイル（UTF-8）で保存（1行目は計算の条件）"));
    Button3 = Button(this, "Button3", 812, 698, 80, 25, QStringLiteral("閉じる"));
    Button1->setEnabled(false);  // until there is a row
    Button2->setEnabled(false);
    Button4->setEnabled(false);
}

void TIndices::BuildIntensityBox() {
    GroupBox1 = new QGroupBox(QStringLiteral("計測震度（気象庁）"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 206, 884, 156);
    GroupBox1->setToolTip(QStringLiteral(
        "3成分それぞれを記録全体でフーリエ変換し（0の補い・平均値の除去なし）、周期効果フィルタ √(1/f)、\n"
        "ハイカットフィルタ、ローカットフィルタ √(1−exp(−(f/0.5)³)) をかけて逆変換する。\n"
        "3成分のベクトル和がその値以上となる時間の合計が0.3秒となる値を a0 として、I = 2·log10(a0) + 0.94。\n"
        "発表値は I を小数第3位で四捨五入し、小数第2位以下を切り捨てた値。震度階級は発表値から"));
    const char* names[3] = {"ComboBox1", "ComboBox2", "ComboBox3"};
    const char* captions[3] = {"NS", "EW", "UD"};
    for (int i = 0; i < 3; ++i) {
        Label(GroupBox1, QStringLiteral("Label%1").arg(6 + i).toLatin1().constData(), 12, 28 + 28 * i,
              QString::fromLatin1(captions[i]));
        ComponentBoxes[i] = new QComboBox(GroupBox1);
        ComponentBoxes[i]->setObjectName(QString::fromLatin1(names[i]));
        ComponentBoxes[i]->setGeometry(48, 24 + 28 * i, 220, 22);
    }
    Button4 = Button(GroupBox1, "Button4", 48, 114, 100, 25, QStringLiteral("震度計算"),
                     QStringLiteral("選んだ3成分から計測震度を計算する"));
    Label2 = Label(GroupBox1, "Label2", 300, 26, QString());
    Label3 = LargeLabel(GroupBox1, "Label3", 300, 52, 28);
    Label5 = Label(GroupBox1, "Label5", 300, 100, QString());
    Label4 = LargeLabel(GroupBox1, "Label4", 620, 46, 40);
}

void TIndices::BuildSiBox() {
    GroupBox3 = new QGroupBox(QStringLiteral("SI値（水平2成分の大きい方）"), this);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    GroupBox3->setGeometry(8, 368, 884, 50);
    GroupBox3->setToolTip(QStringLiteral(
        "上の NS・EW の SI 値（表の SI 列）の大きい方。\n"
        "震度の目安は都市ガス業界の SI 値と震度の対応（120 cm/s 以上で7、70 で6強、40 で6弱、20 で5強、\n"
        "10 で5弱、4 で4、1 で3、1 未満は2以下）による目安で、計測震度ではない"));
    Label9 = LargeLabel(GroupBox3, "Label9", 12, 18, 20);
    Label10 = Label(GroupBox3, "Label10", 330, 24, QString());
}
