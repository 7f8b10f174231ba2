#pragma once

#include "ui/data/DataSetHost.h"

class TOpen;

// The main window as the data set window sees it.
class OpenDataSetHost : public DataSetHost {
public:
    explicit OpenDataSetHost(TOpen& open) : open_(open) {}

    tremvix::ChannelStore& Store() override;
    tremvix::ChannelList& List() override;
    TransferSettings TransferSettingsNow() const override;
    void ClearForTransfer() override;
    void UseRecordRate(double hz) override;
    void ShowTransferred(const QString& layoutCaption) override;
    void Redraw() override;

private:
    TOpen& open_;
};
