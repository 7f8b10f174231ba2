// The spectrum window's controls at their client positions, and what each one states.
#include "ui/analysis/SpectrumDrawing.h"
#include "ui/analysis/Uspectrum.h"
#include "ui/base/FormBuilder.h"
#include "ui/components/Mygraph.h"
#include "ui/widgets/RadioGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace FormBuilder;

namespace {

RadioGroup* PlaceRadioGroup(QWidget* parent, const char* name, const QRect& place, const QString& caption,
                            const QStringList& items, int columns, int itemIndex) {
    auto* group = new RadioGroup(caption, items, columns, parent);
    group->setObjectName(QString::fromLatin1(name));
    group->setGeometry(place);
    group->setItemIndex(itemIndex);
    return group;
}

QGroupBox* PlaceGroupBox(QWidget* parent, const char* name, const QRect& place, const QString& caption) {
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(place);
    return box;
}

QComboBox* PlaceComboBox(QWidget* parent, const char* name, const QRect& place) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(place);
    return box;
}

QLabel* PlaceTextLabel(QWidget* parent, const char* name, const QRect& place) {
    QLabel* label = Label(parent, name, place.x(), place.y(), QString());
    label->setGeometry(place);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

}  // namespace

void TSpectrum::BuildLayout() {
    Label(this, "Label3", 8, 8, QStringLiteral("チャンネル"));
    CheckListBox1 = new QListWidget(this);
    CheckListBox1->setObjectName(QStringLiteral("CheckListBox1"));
    CheckListBox1->setGeometry(8, 26, 290, 150);
    CheckListBox1->setFont(ProportionalFont(12, false));
    BuildChoices(this);

    MyGraph1 = new TMyGraph(this);
    MyGraph1->setObjectName(QStringLiteral("MyGraph1"));
    MyGraph1->setGeometry(310, 8, kSpectrumGraphWidth, kSpectrumGraphHeight);
    MyGraph1->setMouseTracking(true);
    MyGraph1->canvas().font = ProportionalFont(12, false);
    Label1 = PlaceTextLabel(this, "Label1", QRect(310, 534, 400, 150));
    Label2 = PlaceTextLabel(this, "Label2", QRect(720, 534, 250, 150));

    Button1 = Button(this, "Button1", 8, 628, 92, 25, QStringLiteral("描画"), QStringLiteral("グラフを描き直す"));
    Button2 = Button(this, "Button2", 107, 628, 92, 25, QStringLiteral("コピー"),
                     QStringLiteral("グラフをクリップボードにコピー（表計算ソフトには数値を、1行目は計算の条件）"));
    Button3 = Button(this, "Button3", 206, 628, 92, 25, QStringLiteral("グラフ保存"),
                     QStringLiteral("グラフをPNGファイルで保存"));
    Button4 = Button(this, "Button4", 8, 658, 92, 25, QStringLiteral("CSV保存"),
                     QStringLiteral("描いたスペクトルの数値をCSVファイル（UTF-8）で保存（1行目は計算の条件）"));
    Button5 = Button(this, "Button5", 206, 658, 92, 25, QStringLiteral("閉じる"));
    for (QPushButton* button : {Button2, Button3, Button4}) button->setEnabled(false);  // until a curve is drawn
    SetToolTips();
}

void TSpectrum::BuildChoices(QWidget* parent) {
    RadioGroup1 = PlaceRadioGroup(parent, "RadioGroup1", QRect(8, 182, 290, 84), QStringLiteral("種類"),
                                  {QStringLiteral("応答スペクトル"), QStringLiteral("フーリエスペクトル"),
                                   QStringLiteral("スペクトル比"), QStringLiteral("RotD50/RotD100")},
                                  1, 0);
    RadioGroup2 = PlaceRadioGroup(parent, "RadioGroup2", QRect(8, 272, 290, 44), QStringLiteral("応答値"),
                                  {QStringLiteral("Sa"), QStringLiteral("Sv"), QStringLiteral("Sd"), QStringLiteral("pSv"),
                                   QStringLiteral("pSa")},
                                  5, 0);
    GroupBox1 = PlaceGroupBox(parent, "GroupBox1", QRect(8, 322, 290, 44), QStringLiteral("減衰定数 h"));
    const char* names[4] = {"CBDamping2", "CBDamping5", "CBDamping10", "CBDamping20"};
    const char* captions[4] = {"2%", "5%", "10%", "20%"};
    for (int i = 0; i < 4; ++i)
        DampingBoxes[i] = CheckBox(GroupBox1, names[i], 10 + 70 * i, 18, QString::fromLatin1(captions[i]), {}, i == 1);
    RadioGroup3 = PlaceRadioGroup(parent, "RadioGroup3", QRect(8, 372, 290, 44), QStringLiteral("平滑化 (Parzen)"),
                                  {QStringLiteral("なし"), QStringLiteral("0.1Hz"), QStringLiteral("0.2Hz"),
                                   QStringLiteral("0.4Hz")},
                                  4, 0);
    GroupBox2 = PlaceGroupBox(parent, "GroupBox2", QRect(8, 422, 290, 84), QStringLiteral("フーリエ変換の前処理"));
    CBMean = CheckBox(GroupBox2, "CBMean", 10, 20, QStringLiteral("平均値を除く"));
    CBTaper = CheckBox(GroupBox2, "CBTaper", 10, 40, QStringLiteral("両端5%にテーパー"));
    CBPad = CheckBox(GroupBox2, "CBPad", 10, 60, QStringLiteral("2のべき乗まで0を補う"));

    GroupBox3 = PlaceGroupBox(parent, "GroupBox3", QRect(8, 512, 290, 106), QStringLiteral("スペクトル比"));
    Label(GroupBox3, "Label4", 10, 22, QStringLiteral("分子"));
    ComboBox1 = PlaceComboBox(GroupBox3, "ComboBox1", QRect(50, 18, 230, 22));
    Label(GroupBox3, "Label5", 10, 48, QStringLiteral("分母"));
    ComboBox2 = PlaceComboBox(GroupBox3, "ComboBox2", QRect(50, 44, 230, 22));
    Label(GroupBox3, "Label6", 10, 76, QStringLiteral("ピーク"));
    Edit1 = Edit(GroupBox3, "Edit1", 70, 72, 60, 21, QStringLiteral("0.1"));
    Label(GroupBox3, "Label7", 136, 76, QStringLiteral("～"));
    Edit2 = Edit(GroupBox3, "Edit2", 156, 72, 60, 21, QStringLiteral("20"));
    Label(GroupBox3, "Label8", 222, 76, QStringLiteral("Hz"));

    GroupBox4 = PlaceGroupBox(parent, "GroupBox4", QRect(8, 512, 290, 106), QStringLiteral("水平二成分 (RotD)"));
    Label(GroupBox4, "Label9", 10, 22, QStringLiteral("成分A"));
    ComboBox3 = PlaceComboBox(GroupBox4, "ComboBox3", QRect(60, 18, 220, 22));
    Label(GroupBox4, "Label10", 10, 48, QStringLiteral("成分B"));
    ComboBox4 = PlaceComboBox(GroupBox4, "ComboBox4", QRect(60, 44, 220, 22));
    CBRotD00 = CheckBox(GroupBox4, "CBRotD00", 10, 74, QStringLiteral("RotD00 も描く（破線）"));
    GroupBox4->hide();  // shown in the ratio's place when RotD is the kind
}

void TSpectrum::SetToolTips() {
    RadioGroup1->setToolTip(QStringLiteral(
        "応答スペクトル: 1自由度系の弾性応答\n"
        "フーリエスペクトル: 振幅 = dt·|Σ x[n]·e^(−2πikn/N)|\n"
        "スペクトル比: 分子チャンネルと分母チャンネルの平滑化したフーリエ振幅の比\n"
        "RotD50/RotD100: 水平二成分の応答を0～179°の1°ごとに回転した pSa = ω²·Sd の中央値と最大値"));
    RadioGroup2->setToolTip(QStringLiteral(
        "Sd: 最大相対変位、Sv: 最大相対速度、Sa: 最大絶対加速度、pSv = ω·Sd、pSa = ω²·Sd\n"
        "1自由度系は最初のサンプルで静止。地動加速度はサンプル間で直線として厳密に解き、\n"
        "周期の1/10以下の刻みに分割して最大値を探す。周期0.02～10秒の対数等間隔200点。\n"
        "単位はチャンネルの単位に従う（gal → cm, cm/s, gal、m/s2 → m, m/s, m/s2）。\n"
        "加速度のチャンネルだけ計算できる"));
    GroupBox1->setToolTip(QStringLiteral("減衰定数 h（臨界減衰に対する比）。複数選ぶと重ねて描く（RotD は一つ）"));
    RadioGroup3->setToolTip(QStringLiteral(
        "フーリエ振幅をParzenウィンドウで平滑化する（バンド幅 b Hz、u = 280/(151·b)、\n"
        "窓は最初の零点 ±2/u で打ち切り、和が1になるよう正規化）。\n"
        "スペクトル比は常に平滑化する（既定 0.4 Hz）"));
    GroupBox2->setToolTip(QStringLiteral(
        "フーリエ振幅 = dt·|Σ x[n]·e^(−2πikn/N)|、f = k/(N·dt)、k = 0…N/2。\n"
        "記録はそのまま変換する。平均値の除去・テーパー・0の補いはチェックしたときだけ"));
    CBMean->setToolTip(QStringLiteral("平均値を差し引いてから変換する"));
    CBTaper->setToolTip(QStringLiteral("平均値の除去の後、両端それぞれ記録長の5%にコサインテーパーをかける"));
    CBPad->setToolTip(QStringLiteral("次の2のべき乗の長さまで0を補う（N は補った後の長さ）"));
    GroupBox3->setToolTip(QStringLiteral(
        "スペクトル比 = 分子チャンネルの平滑化フーリエ振幅 ÷ 分母チャンネルの平滑化フーリエ振幅\n"
        "（分母が0の振動数では0）。ピークは指定した帯域（両端を含む）での最大値"));
    GroupBox4->setToolTip(QStringLiteral(
        "成分A・Bの1自由度系の相対変位を x(θ) = x_A·cosθ + x_B·sinθ（θ = 0°, 1°, …, 179°）と回転し、\n"
        "その最大値 × ω² の180個から RotD00（最小）・RotD50（中央値）・RotD100（最大）を求める。\n"
        "減衰定数は一つ。周期0の行（回転した最大加速度）はグラフの下とCSVに示す"));
}
