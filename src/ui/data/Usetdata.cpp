#include "ui/data/Usetdata.h"

#include "ui/base/HandlerCall.h"
#include "ui/base/WindowStyle.h"
#include "ui/base/FormBuilder.h"
#include "ui/widgets/Mystr.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/StringGrid.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

using namespace FormBuilder;

TSetData::TSetData(DataSetHost& host, QWidget* parent) : QWidget(parent, Qt::Window), host_(host) {
    setObjectName(QStringLiteral("SetData"));
    setWindowTitle(QStringLiteral("データセット"));
    ApplyWindowStyle(this, WindowTextColor::Navy);
    resize(485, 700);
    BuildLayout();
    ConnectHandlers();
    FormCreate();
}

TSetData::~TSetData() = default;

void TSetData::BuildLayout() {
    Label4 = Label(this, "Label4", 16, 8, QStringLiteral("標準形式データファイル"));
    SetTextColor(Label4, Qt::red);
    Label1 = Label(this, "Label1", 16, 24, QStringLiteral("ファイル名"));
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(16, 48, 150, 16);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    Label3 = Label(this, "Label3", 264, 48, QStringLiteral("チャンネル数"));
    Label2 = Label(this, "Label2", 352, 48, QStringLiteral("データ数"));

    StringGrid1 = new StringGrid(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setGeometry(16, 72, 416, 446);
    StringGrid1->setFixedRows(1);
    StringGrid1->setFixedCols(0);
    StringGrid1->setColCount(5);
    StringGrid1->setRowCount(21);
    StringGrid1->setDefaultRowHeight(20);
    StringGrid1->setFixedColor(ColorOf(0xFFFFD2));
    const int widths[5] = {56, 130, 119, 57, 27};
    for (int c = 0; c < 5; ++c) StringGrid1->setColWidth(c, widths[c]);
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    Button2 = Button(this, "Button2", 8, 528, 75, 25, QStringLiteral("ファイル"), QStringLiteral("ファイル読込"));
    Button5 = Button(this, "Button5", 96, 528, 75, 25, QStringLiteral("全選択"), QStringLiteral("全チャンネル選択"));
    Button3 = Button(this, "Button3", 184, 528, 75, 25, QStringLiteral("選択解除"));
    Button4 = Button(this, "Button4", 272, 528, 75, 25, QStringLiteral("転送"));
    Button1 = Button(this, "Button1", 360, 528, 75, 25, QStringLiteral("閉じる"));

    GroupBox1 = new QGroupBox(QStringLiteral("自動選択"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 560, 281, 81);
    RadioGroup1 = new RadioGroup(QStringLiteral("ﾁｬﾝﾈﾙ数"),
                                 {QStringLiteral("１"), QStringLiteral("２"), QStringLiteral("４"), QStringLiteral("８")}, 2,
                                 GroupBox1);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setGeometry(8, 16, 80, 60);
    RadioGroup1->setItemIndex(2);
    Button6 = Button(GroupBox1, "Button6", 96, 16, 75, 25, QStringLiteral("1ﾁｬﾝﾈﾙ"));
    Button7 = Button(GroupBox1, "Button7", 96, 48, 75, 25, QStringLiteral("進む"));
    Button8 = Button(GroupBox1, "Button8", 184, 48, 75, 25, QStringLiteral("戻る"));

    CBCont = CheckBox(this, "CBCont", 328, 568, QStringLiteral("8個連続選択"));
    CheckBox1 = CheckBox(this, "CheckBox1", 328, 592, QStringLiteral("データリストクリア"),
                         QStringLiteral("転送時ﾃﾞｰﾀﾘｽﾄをｸﾘｱする"));
    CheckBox2 = CheckBox(this, "CheckBox2", 328, 616, QStringLiteral("波形を描く"), QStringLiteral("転送後波形を描く"));

    for (QPushButton* b : {Button3, Button4, Button5, Button6, Button7, Button8}) b->setEnabled(false);
    (new TMyStr(this))->setObjectName(QStringLiteral("MyStr1"));
}

void TSetData::ConnectHandlers() {
    ConnectHandler(Button1, &QPushButton::clicked, this, &TSetData::Button1Click);
    ConnectHandler(Button2, &QPushButton::clicked, this, &TSetData::Button2Click);
    ConnectHandler(Button3, &QPushButton::clicked, this, &TSetData::Button3Click);
    ConnectHandler(Button4, &QPushButton::clicked, this, &TSetData::Button4Click);
    ConnectHandler(Button5, &QPushButton::clicked, this, &TSetData::Button5Click);
    ConnectHandler(Button6, &QPushButton::clicked, this, &TSetData::Button6Click);
    ConnectHandler(Button7, &QPushButton::clicked, this, &TSetData::Button7Click);
    ConnectHandler(Button8, &QPushButton::clicked, this, &TSetData::Button8Click);
    ConnectHandler(RadioGroup1, &RadioGroup::clicked, this, &TSetData::RadioGroup1Click);
    ConnectHandler(StringGrid1, &StringGrid::cellClicked, this, &TSetData::StringGrid1Click);
}

void TSetData::FormCreate() {
    const QString headings[5] = {QStringLiteral(" CH"), QStringLiteral("\u3000\u3000計\u3000測\u3000点"),
                                 QStringLiteral("\u3000メ\u3000\u3000\u3000モ"), QStringLiteral("\u3000単位"),
                                 QStringLiteral("選")};
    for (int c = 0; c < 5; ++c) StringGrid1->setCell(c, 0, headings[c]);
    StepSize = 4;
}

void TSetData::SetFormatCaption(const QString& caption) {
    menuCaption_ = caption;
    ShowLayoutCaption(caption);
}

void TSetData::ShowLayoutCaption(const QString& caption) {
    Label4->setText(caption);
    Label4->adjustSize();
}

void TSetData::Button1Click() { close(); }

void TSetData::OpenFromCommandLine(const QString& file) {
    show();
    RunHandler([&] { ScanFile(file); });
}
