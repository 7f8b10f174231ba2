// The event window's controls at their client positions, and what each states.
#include "ui/base/FormBuilder.h"
#include "ui/base/HandlerCall.h"
#include "ui/survey/EventMapView.h"
#include "ui/survey/SurveyTableModel.h"
#include "ui/survey/Usurvey.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/StringGrid.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

using namespace FormBuilder;

namespace {

// record, station, layout, latitude … sa_5.0
const int kColumnWidths[] = {170, 110, 70, 64, 70, 56, 60, 70, 70, 70, 64, 64, 60, 64, 64, 64, 60, 60,
                             60, 60, 60, 60, 60, 60};

StringGrid* Grid(QWidget* parent, const char* name, int x, int y, int w, int h) {
    auto* grid = new StringGrid(parent);
    grid->setObjectName(QString::fromLatin1(name));
    grid->setGeometry(x, y, w, h);
    grid->setFixedRows(1);
    grid->setFixedCols(0);
    grid->setDefaultRowHeight(18);
    grid->setFixedColor(ColorOf(0xFFFFD2));
    return grid;
}

}  // namespace

void TSurvey::BuildLayout() {
    Button1 = Button(this, "Button1", 8, 8, 120, 25, QStringLiteral("フォルダを開く…"),
                     QStringLiteral("フォルダの中の記録をすべて（サブフォルダも）解析する"));
    Button2 = Button(this, "Button2", 136, 8, 120, 25, QStringLiteral("書庫を開く…"),
                     QStringLiteral("書庫（.tar, .tar.gz, .tgz, .zip）の中の記録をすべて解析する（ディスクには展開しない）"));
    Button3 = Button(this, "Button3", 264, 8, 70, 25, QStringLiteral("停止"),
                     QStringLiteral("解析を止める。それまでに終わった行は残る"));
    Button3->setEnabled(false);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(342, 10, 286, 21);
    ProgressBar1->setRange(0, 1);
    ProgressBar1->setValue(0);
    Label1 = Label(this, "Label1", 636, 14, QStringLiteral("フォルダか書庫を開くか、主画面にドロップしてください"));

    model_ = new SurveyTableModel(this);
    StringGrid1 = Grid(this, "StringGrid1", 8, 40, 620, 440);
    StringGrid1->setSourceModel(model_);
    for (int c = 0; c < static_cast<int>(std::size(kColumnWidths)); ++c) StringGrid1->setColWidth(c, kColumnWidths[c]);
    StringGrid1->setToolTip(QStringLiteral("列の見出しをクリックすると並べ替え（もう一度で逆順、空欄は常に最後）。"
                                           "行をダブルクリックするとその記録をデータセット画面で開く\n") +
                            SurveyConventionsText());
    Label3 = Label(this, "Label3", 8, 488, QStringLiteral("読めなかった記録"));
    StringGrid2 = Grid(this, "StringGrid2", 8, 506, 620, 150);
    StringGrid2->setColCount(2);
    StringGrid2->setRowCount(1);
    StringGrid2->setCell(0, 0, QStringLiteral("record"));
    StringGrid2->setCell(1, 0, QStringLiteral("reason"));
    StringGrid2->setColWidth(0, 260);
    StringGrid2->setColWidth(1, 340);

    Label2 = Label(this, "Label2", 8, 664, SurveyConventionsText());
    Label2->setWordWrap(true);
    Label2->setGeometry(8, 664, 1228, 52);
    Button4 = Button(this, "Button4", 8, 724, 110, 25, QStringLiteral("表をCSV保存"),
                     QStringLiteral("表を記録の順にCSVファイル（UTF-8）で保存。1行目は計算の条件、2行目からはコマンドラインの --survey と同じ"));
    Button5 = Button(this, "Button5", 126, 724, 120, 25, QStringLiteral("失敗をCSV保存"),
                     QStringLiteral("読めなかった記録と理由をCSVファイルで保存（--survey の --failures と同じ形）"));

    MyMap1 = new EventMapView(this);
    MyMap1->setObjectName(QStringLiteral("MyMap1"));
    MyMap1->move(636, 40);
    MyMap1->setToolTip(QStringLiteral("ランベルト正角円錐図法（標準緯線 北緯30度・45度、中央経線 東経137度）。"
                                      "印をクリックするとその行を選ぶ。海岸線: Natural Earth（パブリックドメイン）"));
    RadioGroup1 = new RadioGroup(QStringLiteral("色分け"),
                                 {QStringLiteral("震度階級"), QStringLiteral("長周期地震動階級"), QStringLiteral("PGA（水平）")}, 3, this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setGeometry(636, 586, 600, 44);
    RadioGroup1->setItemIndex(0);
    Button6 = Button(this, "Button6", 636, 636, 120, 25, QStringLiteral("地図をPNG保存"));
    Button7 = Button(this, "Button7", 764, 636, 120, 25, QStringLiteral("地図をコピー"),
                     QStringLiteral("地図の画像をクリップボードにコピー"));
    Button8 = Button(this, "Button8", 1156, 724, 80, 25, QStringLiteral("閉じる"));
    for (QPushButton* button : {Button4, Button5}) button->setEnabled(false);
}

void TSurvey::ConnectHandlers() {
    ConnectHandler(Button1, &QPushButton::clicked, this, &TSurvey::Button1Click);
    ConnectHandler(Button2, &QPushButton::clicked, this, &TSurvey::Button2Click);
    ConnectHandler(Button3, &QPushButton::clicked, this, &TSurvey::Button3Click);
    ConnectHandler(Button4, &QPushButton::clicked, this, &TSurvey::Button4Click);
    ConnectHandler(Button5, &QPushButton::clicked, this, &TSurvey::Button5Click);
    ConnectHandler(Button6, &QPushButton::clicked, this, &TSurvey::Button6Click);
    ConnectHandler(Button7, &QPushButton::clicked, this, &TSurvey::Button7Click);
    ConnectHandler(Button8, &QPushButton::clicked, this, &TSurvey::Button8Click);
    ConnectHandler(RadioGroup1, &RadioGroup::clicked, this, &TSurvey::RadioGroup1Click);
    connect(StringGrid1, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& at) { RunHandler([&] { StringGrid1DblClick(at.row() + StringGrid1->fixedRows()); }); });
    connect(StringGrid1->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        const std::optional<std::size_t> kept = model_->EntryAt(StringGrid1->row());
        model_->SortBy(section + StringGrid1->fixedCols());
        if (kept) StringGrid1->setCurrentCell(StringGrid1->col(), model_->RowOf(*kept));
    });
    connect(StringGrid1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& at) { CurrentRowChanged(at.isValid() ? at.row() + StringGrid1->fixedRows() : -1); });
    connect(MyMap1, &EventMapView::MarkClicked, this, [this](std::size_t mark) { RunHandler([&] { MyMap1Click(mark); }); });
}
