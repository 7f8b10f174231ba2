#pragma once

#include <QString>

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tremvix {
struct ChannelRecord;
struct ChannelStore;
}  // namespace tremvix

// A loaded channel as the analysis windows offer it: the base record as transferred.
struct LoadedChannel {
    int index = 0;  // in the store; the channel list row is index + 1
    QString id;
    QString name;
    QString unit;
    std::optional<double> galPerUnit;  // set when the unit is an acceleration
    const tremvix::ChannelRecord* record = nullptr;
    std::span<const float> samples;  // the stored samples
};

// BaseBank[0 .. ChannelCount-1], texts decoded for display.
std::vector<LoadedChannel> LoadedChannelsOf(const tremvix::ChannelStore& store);

// "1: ACC-NS", as the pickers and the curve names show a channel.
QString ChannelLabel(const LoadedChannel& channel);

// What identifies the loaded channels: a new transfer, an appended one or a clear
// changes it; a redraw or a selection in the main window does not.
struct ChannelsSignature {
    struct Entry {
        const float* samples = nullptr;
        int count = 0;
        std::string id;
        std::string name;
        std::string unit;
        bool operator==(const Entry&) const = default;
    };
    std::vector<Entry> entries;
    bool operator==(const ChannelsSignature&) const = default;
};
ChannelsSignature SignatureOf(const tremvix::ChannelStore& store);

// The samples converted to gal (float(x * galPerUnit)); the stored ones when the unit is gal.
std::vector<float> SamplesInGal(const LoadedChannel& channel);
