#include "ui/display/Udatalist.h"

#include "ui/base/HandlerCall.h"
#include "ui/base/WindowStyle.h"
#include "ui/display/DataListModel.h"
#include "ui/base/FormBuilder.h"
#include "ui/widgets/StringGrid.h"

#include <QLabel>
#include <QPushButton>

using namespace FormBuilder;

TDataList::TDataList(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("DataList"));
    setWindowTitle(QStringLiteral("DataList"));
    ApplyWindowStyle(this, WindowTextColor::Navy);
    resize(733, 388);

    Label1 = Label(this, "Label1", 24, 16, QStringLiteral("データリスト"));
    SetTextColor(Label1, Qt::red);
    Label2 = Label(this, "Label2", 160, 16, QString());
    StringGrid1 = new StringGrid(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setGeometry(16, 40, 677, 271);
    model_ = new DataListModel(StringGrid1);
    StringGrid1->setFixedRows(1);
    StringGrid1->setFixedCols(1);
    StringGrid1->setSourceModel(model_);
    StringGrid1->setDefaultColWidth(72);
    StringGrid1->setDefaultRowHeight(18);
    StringGrid1->setFixedColor(ColorOf(0xFFFFD2));
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    StringGrid1->setFont(FixedFont(13, false));
    Button1 = Button(this, "Button1", 56, 320, 75, 25, QStringLiteral("閉じる"));
    ConnectHandler(Button1, &QPushButton::clicked, this, &TDataList::Button1Click);
    FormCreate();
}

void TDataList::FormCreate() {
    Label2->setText(QString());
    // The headings come from the model; the grid keeps its 100 rows until a transfer.
}

void TDataList::Button1Click() { close(); }
