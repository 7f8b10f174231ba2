#include "ui/app/Uopen.h"

#include "ui/base/Dialogs.h"
#include "ui/base/HandlerCall.h"
#include "ui/display/Mywave.h"
#include "ui/widgets/ClickableGroupBox.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

GraphRequest GatherGraphRequest(const TOpen& window) {
    GraphRequest request;
    for (int k = 0; k < tremvix::kMaxChannels; ++k) {
        request.polarity[k] = window.PolarityBoxes[k]->isChecked();
        request.maxima[k] = window.MaxBoxes[k]->isChecked();
    }
    request.overwrite = window.CBOverWrite->isChecked();
    request.colour = window.CBColor->isChecked();
    request.equal = window.CBEqual->isChecked();
    request.startText = window.Edit1->text();
    request.scaleText = window.Edit2->text();
    request.DisplayTime = window.DisplayTime;
    request.SamplingInterval = window.Filters.SamplingInterval;
    request.SamplingRate = window.Filters.SamplingRate;
    request.CanvasHeight = window.CanvasHeight;
    return request;
}

}  // namespace

void TOpen::ConnectGraphHandlers() {
    ConnectHandler(Button4, &QPushButton::clicked, this, &TOpen::Button4Click);
    using Handler = void (TOpen::*)();
    static constexpr Handler kPolarity[] = {&TOpen::CheckBox2Click, &TOpen::CheckBox3Click, &TOpen::CheckBox4Click,
                                            &TOpen::CheckBox5Click, &TOpen::CheckBox6Click, &TOpen::CheckBox7Click,
                                            &TOpen::CheckBox8Click, &TOpen::CheckBox9Click};
    static constexpr Handler kMaxima[] = {&TOpen::CBMax1Click, &TOpen::CBMax2Click, &TOpen::CBMax3Click,
                                          &TOpen::CBMax4Click, &TOpen::CBMax5Click, &TOpen::CBMax6Click,
                                          &TOpen::CBMax7Click, &TOpen::CBMax8Click};
    for (int k = 0; k < tremvix::kMaxChannels; ++k) {
        ConnectHandler(PolarityBoxes[k], &QCheckBox::toggled, this, kPolarity[k]);
        ConnectHandler(MaxBoxes[k], &QCheckBox::toggled, this, kMaxima[k]);
    }
    ConnectHandler(CBOverWrite, &QCheckBox::toggled, this, &TOpen::CBOverWriteClick);
    ConnectHandler(CBColor, &QCheckBox::toggled, this, &TOpen::CBColorClick);
    ConnectHandler(CBEqual, &QCheckBox::toggled, this, &TOpen::CBEqualClick);
    ConnectHandler(GroupBox1, &ClickableGroupBox::frameClicked, this, &TOpen::GroupBox1Click);
}

void TOpen::Button4Click() {
    // Called from code as well as from the event: a conversion error ends it here too.
    RunHandler([&] {
        const GraphHooks hooks{[this] { Image1->hide(); },
                               [this](int windowLength) {
                                   Label5->setText(QString::number(windowLength));
                                   Label5->adjustSize();
                                   Label5->repaint();
                               }};
        const GraphOutcome outcome = graph_.Run(Store(), List(), GatherGraphRequest(*this), *MyWave1, Layout, hooks);
        if (outcome == GraphOutcome::Drawn) {
            Button7->setEnabled(true);
            Button8->setEnabled(true);
            return;
        }
        const GraphMessage message = MessageOf(outcome);
        if (!message.text.isEmpty()) Dialogs::MessageBox(message.text, message.caption, Dialogs::kOkExclamation);
    });
}

// Every control that changes the picture simply draws it again.
void TOpen::CheckBox2Click() { Button4Click(); }
void TOpen::CheckBox3Click() { Button4Click(); }
void TOpen::CheckBox4Click() { Button4Click(); }
void TOpen::CheckBox5Click() { Button4Click(); }
void TOpen::CheckBox6Click() { Button4Click(); }
void TOpen::CheckBox7Click() { Button4Click(); }
void TOpen::CheckBox8Click() { Button4Click(); }
void TOpen::CheckBox9Click() { Button4Click(); }
void TOpen::CBMax1Click() { Button4Click(); }
void TOpen::CBMax2Click() { Button4Click(); }
void TOpen::CBMax3Click() { Button4Click(); }
void TOpen::CBMax4Click() { Button4Click(); }
void TOpen::CBMax5Click() { Button4Click(); }
void TOpen::CBMax6Click() { Button4Click(); }
void TOpen::CBMax7Click() { Button4Click(); }
void TOpen::CBMax8Click() { Button4Click(); }
void TOpen::CBOverWriteClick() { Button4Click(); }
void TOpen::CBColorClick() { Button4Click(); }
void TOpen::CBEqualClick() { Button4Click(); }
void TOpen::GroupBox1Click() { Button4Click(); }
