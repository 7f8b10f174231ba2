// The main window's controls at their client positions.
#include "ui/app/ChannelListModel.h"
#include "ui/app/Logo.h"
#include "ui/app/Uopen.h"
#include "ui/display/Mywave.h"
#include "ui/widgets/ClickableGroupBox.h"
#include "ui/base/FormBuilder.h"
#include "ui/widgets/Mystr.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/StringGrid.h"
#include "ui/widgets/UpDown.h"

#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>

using namespace FormBuilder;

namespace {

constexpr int kRowY[8] = {44, 63, 82, 101, 121, 140, 159, 179};

RadioGroup* PlaceRadioGroup(QWidget* parent, const char* name, const QRect& place, const QString& caption,
                            const QStringList& items, int columns, int itemIndex, const QString& hint = {}) {
    auto* group = new RadioGroup(caption, items, columns, parent);
    group->setObjectName(QString::fromLatin1(name));
    group->setGeometry(place);
    group->setItemIndex(itemIndex);
    if (!hint.isEmpty()) group->setToolTip(hint);
    return group;
}

}  // namespace

void TOpen::BuildLayout() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("OpenClient"));
    setCentralWidget(client);

    MyWave1 = new TMyWave(client);
    MyWave1->setObjectName(QStringLiteral("MyWave1"));
    MyWave1->setGeometry(8, 16, 625, 425);

    Image1 = new QLabel(client);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(TremvixLogo());
    Image1->setGeometry(208, 184, 227, 48);
    Image1->raise();

    Label1 = Label(client, "Label1", 8, 456, QStringLiteral("標準形式データファイル"));
    SetTextColor(Label1, Qt::red);
    QLabel* credit = Label(client, "Label7", 832, 8, QStringLiteral("地震応答観測データビューア"));
    credit->setFont(ProportionalFont(11, true));
    SetTextColor(credit, QColor(0xC0, 0xC0, 0xC0));
    credit->adjustSize();
    Label(client, "Label9", 656, 7, QStringLiteral("データリスト"));

    StringGrid1 = new StringGrid(client);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setGeometry(648, 24, 344, 176);
    listModel_ = new ChannelListModel(list_, StringGrid1);
    StringGrid1->setFixedCols(0);
    StringGrid1->setFixedRows(1);
    StringGrid1->setSourceModel(listModel_);
    StringGrid1->setDefaultRowHeight(18);
    StringGrid1->setFixedColor(ColorOf(0xFFFFD2));
    const int widths[6] = {35, 61, 130, 48, 30, 28};
    for (int c = 0; c < 6; ++c) StringGrid1->setColWidth(c, widths[c]);
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setContextMenuPolicy(Qt::CustomContextMenu);

    QLabel* polarity = Label(client, "Label15", 998, 19, QStringLiteral("極"));
    polarity->setToolTip(QStringLiteral("符号変換表示"));
    Label(client, "Label18", 999, 32, QStringLiteral("性"));
    Label(client, "Label19", 1024, 8, QStringLiteral("M"));
    Label(client, "Label20", 1024, 20, QStringLiteral("A"));
    Label(client, "Label21", 1024, 32, QStringLiteral("X"));
    for (int k = 0; k < 8; ++k) {
        PolarityBoxes[k] = CheckBox(client, QStringLiteral("CheckBox%1").arg(k + 2).toLatin1().constData(), 1000,
                                    kRowY[k], QString());
        PolarityBoxes[k]->setGeometry(1000, kRowY[k], 18, 17);
        MaxBoxes[k] = CheckBox(client, QStringLiteral("CBMax%1").arg(k + 1).toLatin1().constData(), 1024, kRowY[k],
                               QString());
        MaxBoxes[k]->setGeometry(1024, kRowY[k], 19, 17);
    }

    Button2 = Button(client, "Button2", 640, 208, 75, 25, QStringLiteral("データ設定"), QStringLiteral("表示データを読み込む"));
    Button5 = Button(client, "Button5", 730, 208, 75, 25, QStringLiteral("全選択"), QStringLiteral("全てのデータを選択する"));
    Button9 = Button(client, "Button9", 824, 208, 75, 25, QStringLiteral("選択解除"), QStringLiteral("全ての選択を解除する"));
    Button3 = Button(client, "Button3", 917, 208, 75, 25, QStringLiteral("クリア"), QStringLiteral("全てのデータを破棄する"));
    Button5->setEnabled(false);
    Button3->setEnabled(false);
    CheckBox1 = CheckBox(client, "CheckBox1", 918, 236, QStringLiteral("クリア確認"), {}, true);
    CheckBox1->setFont(ProportionalFont(11, true));
    CheckBox1->adjustSize();

    RadioGroup1 = PlaceRadioGroup(client, "RadioGroup1", QRect(656, 248, 153, 105), QStringLiteral("サンプリング率"),
                                  {QStringLiteral("   1"), QStringLiteral("  10"), QStringLiteral("  50"),
                                   QStringLiteral(" 100"), QStringLiteral(" 200"), QStringLiteral(" 500"),
                                   QStringLiteral("1000"), QStringLiteral("2000")},
                                  2, 3, QStringLiteral("１秒当たりのサンプリング数を設定する"));
    RadioGroup1->setFont(FixedFont(13, true));

    GroupBox1 = new ClickableGroupBox(QStringLiteral("表示時間"), client);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(832, 248, 153, 105);
    GroupBox1->setToolTip(QStringLiteral("表示する時間の長さ（秒）設定"));
    // The two item groups end above Label5, which shows the samples drawn below them.
    RadioGroup2 = PlaceRadioGroup(GroupBox1, "RadioGroup2", QRect(4, 16, 50, 68), QString(),
                                  {QStringLiteral(" 1"), QStringLiteral("2.5"), QStringLiteral(" 5")}, 1, 2);
    RadioGroup2->setFont(FixedFont(13, true));
    Label(GroupBox1, "Label4", 56, 42, QStringLiteral("×"));
    RadioGroup3 = PlaceRadioGroup(GroupBox1, "RadioGroup3", QRect(68, 16, 52, 68), QString(),
                                  {QStringLiteral("  1"), QStringLiteral(" 10"), QStringLiteral("100")}, 1, 1);
    RadioGroup3->setFont(FixedFont(13, true));
    // Right-aligned up to the box's edge, so that "500.0" shows whole.
    Label2 = Label(GroupBox1, "Label2", 124, 30, QStringLiteral("50"));
    Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label2->setGeometry(112, 30, 38, Label2->height());
    Label(GroupBox1, "Label3", 124, 48, QStringLiteral("sec"));
    // Right-aligned in a fixed box, so that a long sample count still fits.
    Label5 = Label(GroupBox1, "Label5", 100, 86, QStringLiteral("データ数"));
    Label5->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label5->setGeometry(56, 86, 94, Label5->height());

    RadioGroup4 = PlaceRadioGroup(client, "RadioGroup4", QRect(656, 360, 113, 81), QStringLiteral("フィルタ(積分時）"),
                                  {QStringLiteral("なし"), QStringLiteral("バンドパス"), QStringLiteral("ローパス")}, 1, 1,
                                  QStringLiteral("積分の際に使用するフィルタのタイプ"));
    Label(client, "Label6", 872, 363, QStringLiteral("開始点"));
    Label8 = Label(client, "Label8", 928, 363, QStringLiteral("0 秒"));
    TrackBar1 = new QSlider(Qt::Horizontal, client);
    TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
    TrackBar1->setGeometry(865, 376, 121, 26);
    TrackBar1->setRange(0, 10);
    TrackBar1->setTickPosition(QSlider::NoTicks);
    Label(client, "Label11", 816, 408, QStringLiteral("ステップ"));
    Edit1 = Edit(client, "Edit1", 877, 403, 65, 21, QStringLiteral("0"));
    UpDown1 = new UpDown(client);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    UpDown1->setGeometry(942, 403, 16, 21);
    UpDown1->setAssociate(Edit1);
    UpDown1->setRange(0, 10000);
    UpDown1->setIncrement(10);
    Button6 = Button(client, "Button6", 968, 400, 19, 23, QStringLiteral("０"), QStringLiteral("開始点を０に戻す"));
    RadioGroup5 = PlaceRadioGroup(client, "RadioGroup5", QRect(800, 423, 185, 33), QString(),
                                  {QStringLiteral("10"), QStringLiteral("50"), QStringLiteral("100"), QStringLiteral("500")},
                                  4, 0, QStringLiteral("ｱｯﾌﾟﾀﾞｳﾝﾎﾞﾀﾝのｽﾃｯﾌﾟ"));

    CBColor = CheckBox(client, "CBColor", 192, 448, QStringLiteral("カラー"), QStringLiteral("波形をカラー表示"), true);
    CBFilter = CheckBox(client, "CBFilter", 312, 448, QStringLiteral("フィルタ（表示時）"),
                        QStringLiteral("ローパスフィルタ処理後の波形"));
    Label10 = Label(client, "Label10", 440, 448, QStringLiteral("12.50Hzローパス"));
    Label10->hide();
    CBMove = CheckBox(client, "CBMove", 504, 448, QStringLiteral("移動平均"));
    CBLine = CheckBox(client, "CBLine", 600, 448, QStringLiteral("カーソル"), QStringLiteral("縦カーソルを表示します"), true);
    CBList = CheckBox(client, "CBList", 688, 448, QStringLiteral("データリスト"));
    Label(client, "Label12", 16, 480, QStringLiteral("ﾃﾞｰﾀ数"));
    Label13 = Label(client, "Label13", 80, 480, QStringLiteral("0"));
    CBEqual = CheckBox(client, "CBEqual", 192, 472, QStringLiteral("同一スケール"), QStringLiteral("縦軸目盛りをそろえる"));
    Edit2 = Edit(client, "Edit2", 312, 472, 41, 21, QStringLiteral("10"), QStringLiteral("目盛り量設定"));
    CBOverWrite = CheckBox(client, "CBOverWrite", 400, 472, QStringLiteral("重ね書き"),
                           QStringLiteral("選択した波形を重ね書きする"));
    Label14 = Label(client, "Label14", 480, 472, QStringLiteral("スパン"));
    Edit3 = Edit(client, "Edit3", 520, 472, 33, 21, QStringLiteral("10"));
    Label14->hide();
    Edit3->hide();
    Button4 = Button(client, "Button4", 568, 472, 75, 25, QStringLiteral("グラフ"), QStringLiteral("グラフを描く"));
    Button7 = Button(client, "Button7", 656, 472, 75, 25, QStringLiteral("コピー"),
                     QStringLiteral("グラフをクリップボードにコピー"));
    Button8 = Button(client, "Button8", 744, 472, 75, 25, QStringLiteral("グラフ保存"),
                     QStringLiteral("グラフをPNGファイルで保存"));
    Button10 = Button(client, "Button10", 832, 472, 75, 25, QStringLiteral("データ保存"));
    Button1 = Button(client, "Button1", 920, 472, 75, 25, QStringLiteral("終　了"));
    Button4->setEnabled(false);
    Button7->setEnabled(false);
    Button8->setEnabled(false);
    (new TMyStr(this))->setObjectName(QStringLiteral("MyStr1"));
    Label(client, "Label16", 16, 504, QString())->hide();
    Label(client, "Label17", 16, 520, QString())->hide();
}

void TOpen::BuildMenus() {
    const auto item = [this](QMenu* menu, const char* name, const QString& caption, bool checkable = false,
                             bool checked = false) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setCheckable(checkable);
        action->setChecked(checked);
        return action;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル"));
    file->setObjectName(QStringLiteral("N1"));
    QMenu* format = file->addMenu(QStringLiteral("データ形式"));
    format->setObjectName(QStringLiteral("N8"));
    N9 = item(format, "N9", QStringLiteral("標準形式"), true, true);
    EDefence1 = item(format, "EDefence1", QStringLiteral("E-Defence形式"), true, false);
    N2 = item(file, "N2", QStringLiteral("開く"));
    N3 = item(file, "N3", QStringLiteral("終了"));

    QMenu* rate = menuBar()->addMenu(QStringLiteral("ｻﾝﾌﾟﾘﾝｸﾞ率"));
    rate->setObjectName(QStringLiteral("N10"));
    const char* rateNames[8] = {"N11", "N101", "N501", "N1001", "N2001", "N5001", "N10001", "N20001"};
    const char* rateCaptions[8] = {"1", "10", "50", "100", "200", "500", "1000", "2000"};
    for (int k = 0; k < 8; ++k)
        RateItems[k] = item(rate, rateNames[k], QString::fromLatin1(rateCaptions[k]), true, k == 3);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("編集"));
    edit->setObjectName(QStringLiteral("N4"));
    QMenu* corner = edit->addMenu(QStringLiteral("ローカットのコーナー振動数"));
    corner->setObjectName(QStringLiteral("N5"));
    Nyquist21 = item(corner, "Nyquist21", QStringLiteral("Nyquist/2"), true, false);
    Nyquist41 = item(corner, "Nyquist41", QStringLiteral("Nyquist/4"), true, true);
    Nyquist81 = item(corner, "Nyquist81", QStringLiteral("Nyquist/8"), true, false);

    QMenu* analysis = menuBar()->addMenu(QStringLiteral("解析"));
    analysis->setObjectName(QStringLiteral("Analysis1"));
    Spectrum1 = item(analysis, "Spectrum1", QStringLiteral("スペクトル"));
    Indices1 = item(analysis, "Indices1", QStringLiteral("最大値・震度"));
    Survey1 = item(analysis, "Survey1", QStringLiteral("一括解析"));

    QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ"));
    help->setObjectName(QStringLiteral("Help1"));
    N6 = item(help, "N6", QStringLiteral("使い方"));
    N7 = item(help, "N7", QStringLiteral("バージョン情報"));

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Velocity = item(PopupMenu1, "Velocity", QStringLiteral("速度に変換"));
    Displacement = item(PopupMenu1, "Displacement", QStringLiteral("変位（mm）に変換"));
    cm1 = item(PopupMenu1, "cm1", QStringLiteral("変位（cm）に換算"));
    PopupMenu1->addSeparator();
    Spectrum2 = item(PopupMenu1, "Spectrum2", QStringLiteral("スペクトル"));
}
