#pragma once

#include <QString>

namespace tremvix {
class ChannelList;
struct ChannelStore;
}  // namespace tremvix

// The window that holds the loaded channels, as the data set window sees it: where a
// transfer puts its channels, the settings it reads, and what it tells afterwards.
class DataSetHost {
public:
    virtual ~DataSetHost() = default;

    virtual tremvix::ChannelStore& Store() = 0;
    virtual tremvix::ChannelList& List() = 0;

    // The transfer's processing settings as the holder's controls stand.
    struct TransferSettings {
        bool clearFirst = false;             // clear every channel before the new ones
        const float* lowPassSet = nullptr;   // set: the transfer's low-pass coefficients
        bool movingAverage = false;
        QString spanText;                    // the moving average's half-width as typed
    };
    virtual TransferSettings TransferSettingsNow() const = 0;

    // Clears every channel, the clear-first setting put back.
    virtual void ClearForTransfer() = 0;
    // The sampling rate a transferred record states, taken without a notice.
    virtual void UseRecordRate(double hz) = 0;
    // New channels are in the store: lists, counts, controls and the layout's name follow.
    virtual void ShowTransferred(const QString& layoutCaption) = 0;
    virtual void Redraw() = 0;
};
