#pragma once

#include "core/analysis/LongPeriodGroundMotion.h"
#include "ui/analysis/IndicesTable.h"
#include "ui/analysis/IntensityChoice.h"
#include "ui/analysis/LoadedChannels.h"

#include <QString>

#include <optional>
#include <vector>

// The products of the two horizontal components the indices window's NS and EW boxes
// choose: the long-period ground-motion class and the larger SI.

// The first north-south and east-west accelerations found by their ids and point
// names, UD not chosen (-1); none unless both are found.
std::optional<ComponentPicks> FindHorizontals(const std::vector<LoadedChannel>& channels);

// With a refusal (words for the class area, without padding) there is no result.
struct LongPeriodOutcome {
    std::optional<tremvix::LongPeriodResult> result;
    QString refusal;
    QString caption;  // of the message when the refusal answers a choice
};

// The class of the store indices ns and ew, converted to gal, sampled at `rate` Hz, as
// the command line computes it (the record as stored). Refused: fewer than two
// acceleration channels loaded, a component not chosen, one channel chosen for both,
// a unit that is not an acceleration, and whatever the computation refuses.
LongPeriodOutcome ComputeLongPeriodOf(const std::vector<LoadedChannel>& channels, int ns, int ew, double rate);

// The SI of the horizontals: the larger of the rows of store indices ns and ew, with
// the index of that row; none unless both rows have an SI.
struct HorizontalSi {
    double si = 0.0;
    int index = 0;
};
std::optional<HorizontalSi> LargerHorizontalSi(const std::vector<IndicesRow>& rows, int ns, int ew);

// "長周期地震動階級3"; "1秒台" for band 0.
QString LongPeriodClassText(int level);
QString LongPeriodBandName(int band);
