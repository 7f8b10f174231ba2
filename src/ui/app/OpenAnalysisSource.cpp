#include "ui/app/OpenAnalysisSource.h"

#include "ui/app/Uopen.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/StringGrid.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QRadioButton>

OpenAnalysisSource::OpenAnalysisSource(TOpen& open) : AnalysisSource(&open), open_(open) {
    connect(open.StringGrid1->sourceModel(), &QAbstractItemModel::dataChanged, this, &AnalysisSource::Changed);
    for (RadioGroup* group : {open.RadioGroup1, open.RadioGroup4})
        connect(group, &RadioGroup::clicked, this, &AnalysisSource::Changed);
    for (QAction* item : {open.Nyquist21, open.Nyquist41, open.Nyquist81})
        connect(item, &QAction::triggered, this, &AnalysisSource::Changed);
}

const tremvix::ChannelStore& OpenAnalysisSource::Store() const { return open_.Store(); }
const tremvix::ChannelList& OpenAnalysisSource::List() const { return open_.List(); }
const tremvix::FilterSettings& OpenAnalysisSource::Filters() const { return open_.Filters; }
double OpenAnalysisSource::Rate() const { return open_.RecordRate(); }
tremvix::IntegrationSetup OpenAnalysisSource::IntegrationSetupNow() const { return open_.IntegrationSetupNow(); }

QString OpenAnalysisSource::IntegrationFilterName() const {
    const QRadioButton* item = open_.RadioGroup4->button(open_.RadioGroup4->itemIndex());
    return item ? item->text() : QString();
}
