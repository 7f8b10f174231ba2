#include "ui/app/Uopen.h"

#include "ui/app/ChannelListModel.h"
#include "ui/base/Dialogs.h"
#include "ui/app/Forms.h"
#include "ui/base/HandlerCall.h"
#include "ui/app/Uhowto.h"
#include "ui/app/Uversion.h"
#include "ui/base/WindowStyle.h"
#include "ui/data/Usetdata.h"
#include "ui/display/GraphCanvas.h"
#include "ui/display/Mywave.h"
#include "ui/widgets/StringGrid.h"
#include "ui/widgets/UpDown.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

namespace {
const QString kSpaces4 = QStringLiteral("\u3000\u3000\u3000\u3000");
}

TOpen::TOpen(QWidget* parent) : QMainWindow(parent), store_(std::make_unique<tremvix::ChannelStore>()) {
    setObjectName(QStringLiteral("Open"));
    setWindowTitle(QStringLiteral("Tremvix Ver3.3"));
    setAcceptDrops(true);
    ApplyWindowStyle(this, WindowTextColor::Navy);
    BuildLayout();
    BuildMenus();
    resize(1062, 577);
    ConnectHandlers();
    FormCreate();
}

// Hidden while the channel list still lives: hiding makes the grid's header ask
// its model for the list's cells, and the base class would hide it too late.
TOpen::~TOpen() { hide(); }

void TOpen::ConnectHandlers() {
    ConnectHandler(Button1, &QPushButton::clicked, this, &TOpen::Button1Click);
    ConnectHandler(N3, &QAction::triggered, this, &TOpen::Button1Click);
    ConnectHandler(Button2, &QPushButton::clicked, this, &TOpen::Button2Click);
    ConnectHandler(N2, &QAction::triggered, this, &TOpen::Button2Click);
    ConnectHandler(Button3, &QPushButton::clicked, this, &TOpen::Button3Click);
    ConnectHandler(Button6, &QPushButton::clicked, this, &TOpen::Button6Click);
    ConnectHandler(N9, &QAction::triggered, this, &TOpen::N9Click);
    ConnectHandler(EDefence1, &QAction::triggered, this, &TOpen::EDefence1Click);
    ConnectHandler(N6, &QAction::triggered, this, &TOpen::N6Click);
    ConnectHandler(N7, &QAction::triggered, this, &TOpen::N7Click);
    ConnectExportHandlers();
    ConnectSettingsHandlers();
    ConnectIntegrationHandlers();
    ConnectAnalysisHandlers();
    ConnectGraphHandlers();
    ConnectCursorHandlers();
}

void TOpen::FormCreate() {
    CanvasHeight = MyWave1->height();
    SetUpGraphCanvas(*MyWave1);
    tremvix::ChannelStore& store = Store();
    store.NothingTransferred = true;
    store.EDefenceMode = false;
    store.ChannelCount = 0;
    DisplayTime = 50.0f;
    DisplayTimeFactor = 5.0f;
    DisplayTimeMultiplier = 10;
    Filters.StartUp();
    for (int k = 0; k < tremvix::kMaxChannels; ++k) {
        store.IsAcceleration[k] = false;
        store.HasVelocity[k] = false;
        store.HasDisplacement[k] = false;
    }
    CursorX = kNoCursorX;
    CursorY = 800;
    ChannelListChanged();
}

void TOpen::ChannelListChanged() { listModel_->refresh(); }

void TOpen::Redraw() { Button4Click(); }

void TOpen::Button1Click() {
    const int answer = Dialogs::MessageBox(QStringLiteral("プログラムを終了してもよろしいですか？") + kSpaces4,
                                           QStringLiteral("プログラムの終了"), Dialogs::kOkCancelQuestion);
    if (answer == Dialogs::kOk) close();
}

void TOpen::Button2Click() { ShowWindow(SetData); }

void TOpen::Button3Click() {
    if (CheckBox1->isChecked()) {
        const int answer = Dialogs::MessageBox(QStringLiteral("すべてのデータをクリアしてもよろしいですか？") + kSpaces4,
                                               QStringLiteral("データクリア"), Dialogs::kOkCancelQuestion);
        if (answer != Dialogs::kOk) return;
    }
    Button6Click();
    list_.ClearChannelRows();
    ChannelListChanged();
    Store().ClearChannels();
    MyWave1->Clear(0xFFFFFF);
    Image1->show();
}

void TOpen::Button6Click() {
    TrackBar1->setValue(0);
    UpDown1->setPosition(0);
}

void TOpen::SelectFormat(QAction* item, QAction* other, bool eDefence) {
    if (!item->isChecked()) return;
    Store().EDefenceMode = eDefence;
    other->setChecked(false);
    const QString caption = eDefence ? QStringLiteral("E-Defence形式データファイル") : QStringLiteral("標準形式データファイル");
    Label1->setText(caption);
    Label1->adjustSize();
    SetData->SetFormatCaption(caption);
    Button2Click();
}

// The item's check mark has already been toggled by the click.
void TOpen::N9Click() { SelectFormat(N9, EDefence1, false); }
void TOpen::EDefence1Click() { SelectFormat(EDefence1, N9, true); }

void TOpen::N6Click() { ShowWindow(HowTo); }
void TOpen::N7Click() { ShowWindow(Version); }

// Closing the main window ends the program, whatever else is open.
void TOpen::closeEvent(QCloseEvent* event) {
    HideSecondaryWindows();
    event->accept();
}
