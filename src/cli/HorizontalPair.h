#pragma once

#include "cli/CommandSupport.h"

#include <array>
#include <optional>
#include <vector>

namespace tremvix::cli {

// Two horizontal components of the request's record in gal: the --channels given
// (exactly two, different), else the record's NS and EW found by their ids and
// names. Nothing when refused, the reason said on err; `status` is the exit status then.
struct HorizontalPair {
    std::array<std::vector<float>, 2> gal;
    std::array<int, 2> numbers{};  // channel numbers, from 1
};

std::optional<HorizontalPair> ChooseHorizontals(const CliRequest& request, const LoadedRecord& record, std::ostream& err,
                                                int& status);

}  // namespace tremvix::cli
