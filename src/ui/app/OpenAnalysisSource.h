#pragma once

#include "ui/analysis/AnalysisSource.h"

class TOpen;

// The main window as the analysis windows see it: its channels and settings, and a
// change told whenever the channel list, the rate, the low-pass corner or the
// integration filter moves.
class OpenAnalysisSource : public AnalysisSource {
    Q_OBJECT
public:
    explicit OpenAnalysisSource(TOpen& open);

    const tremvix::ChannelStore& Store() const override;
    const tremvix::ChannelList& List() const override;
    const tremvix::FilterSettings& Filters() const override;
    double Rate() const override;
    tremvix::IntegrationSetup IntegrationSetupNow() const override;
    QString IntegrationFilterName() const override;

private:
    TOpen& open_;
};
