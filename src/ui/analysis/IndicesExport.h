#pragma once

#include "ui/analysis/HorizontalChoice.h"

#include <QStringList>

#include <optional>
#include <vector>

// The parts of the indices window's exports after its table, each after a blank line:
// a summary of the horizontals (their channel numbers, the long-period class of the
// record and of each band, the larger SI and its guide to the intensity), then, with
// a class, the command line's "period_s,sva,class" rows of the 32 periods.
struct HorizontalProducts {
    ComponentPicks picks{-1, -1, -1};  // store indices; NS and EW are used
    const tremvix::LongPeriodResult* longPeriod = nullptr;  // none: the class was refused
    std::optional<HorizontalSi> si;
};

// CSV: "ns_channel,ew_channel,lpgm_class,class_1s,…,class_7s,si_h,si_intensity_guide",
// empty fields where there is nothing; numbers that read back to the same doubles.
std::vector<QStringList> HorizontalCsvRows(const HorizontalProducts& products);
// The clipboard: the same with headings in words.
std::vector<QStringList> HorizontalClipboardRows(const HorizontalProducts& products);
