#include "ui/app/OpenDataSetHost.h"

#include "core/data/ChannelStore.h"
#include "core/dsp/FilterSettings.h"
#include "ui/app/Forms.h"
#include "ui/app/Uopen.h"
#include "ui/display/DataListModel.h"
#include "ui/display/Udatalist.h"
#include "ui/widgets/UpDown.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <algorithm>

tremvix::ChannelStore& OpenDataSetHost::Store() { return open_.Store(); }
tremvix::ChannelList& OpenDataSetHost::List() { return open_.List(); }

DataSetHost::TransferSettings OpenDataSetHost::TransferSettingsNow() const {
    TransferSettings settings;
    settings.clearFirst = open_.CheckBox1->isChecked();
    if (open_.CBFilter->isChecked()) settings.lowPassSet = open_.Filters.TransferLowPass.data();
    settings.movingAverage = open_.CBMove->isChecked();
    settings.spanText = open_.Edit3->text();
    return settings;
}

void OpenDataSetHost::ClearForTransfer() {
    open_.CheckBox1->setChecked(false);
    open_.Button3Click();
}

void OpenDataSetHost::UseRecordRate(double hz) { open_.UseRecordRate(hz); }

void OpenDataSetHost::ShowTransferred(const QString& layoutCaption) {
    open_.ChannelListChanged();
    const int dataCount = open_.Store().DataCount;
    open_.UpDown1->setMaximum(dataCount);
    open_.Label13->setText(QString::number(dataCount));
    open_.Label13->adjustSize();
    // The last position is the last sample: a start at the count itself would be refused.
    open_.TrackBar1->setMaximum(std::max(dataCount - 1, 0));
    open_.TrackBar1->setTickInterval(dataCount / 100);
    for (QPushButton* button : {open_.Button3, open_.Button4, open_.Button5}) button->setEnabled(true);
    open_.Label1->setText(layoutCaption);
    open_.Label1->adjustSize();
    if (DataList) DataList->Model().ShowTransfer(&open_.Store(), dataCount, open_.Store().ChannelCount);
}

void OpenDataSetHost::Redraw() { open_.Redraw(); }
