#pragma once

#include "cli/OptionValues.h"
#include "core/data/DataFileReader.h"
#include "core/dsp/Integrate.h"

#include <optional>
#include <string>
#include <vector>

namespace tremvix::cli {

enum class Command { Help, Version, Info, Convert, Render, Spectrum, Fourier, Intensity, Indices, Lpgm, Si, Rotd, Survey };

// What the command line asks for, every value checked for its form and range.
// Channel numbers count from 1 as the data set window lists them.
struct CliRequest {
    Command command = Command::Help;
    std::string file;
    std::string output;  // --convert, --render; --survey's --out
    std::vector<std::string> paths;  // --survey: files, folders and archives
    int threads = 0;                 // --survey: workers, 0 for one per core
    std::string failures;            // --survey: the failures table, none: only their count

    double rate = 100.0;  // Hz, for files that state none
    FileLayout layout = FileLayout::Standard;

    std::optional<std::vector<ChannelChoice>> channels;  // --render, --intensity, --lpgm, --rotd
    int channel = 0;                                     // --spectrum, --fourier

    std::vector<double> dampings{0.05};  // each once, in the order given
    std::optional<std::vector<double>> periods;  // none: the core's default periods
    std::optional<double> smoothing;             // Hz

    // --render: the main window's display settings.
    double displayTime = 50.0;
    int start = 0;
    bool overlay = false;
    bool mono = false;
    bool filter = false;
    std::optional<double> sameScale;

    IntegrationFilter integration = IntegrationFilter::BandPass;
};

// A parse that went wrong carries the message for the user instead of a request.
struct ParsedArguments {
    std::optional<CliRequest> request;
    std::string usageError;  // UTF-8, without the hint to --help
};

ParsedArguments ParseArguments(const std::vector<std::string>& arguments);

}  // namespace tremvix::cli
