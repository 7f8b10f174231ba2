#pragma once

#include "cli/CliRequest.h"
#include "cli/CommandSupport.h"

namespace tremvix::cli {

// Each command reads its file, writes its output and returns the exit status.
int RunInfo(const CliRequest& request, const Streams& streams);
int RunConvert(const CliRequest& request, const Streams& streams);
int RunRender(const CliRequest& request, const Streams& streams);
int RunSpectrum(const CliRequest& request, const Streams& streams);
int RunFourier(const CliRequest& request, const Streams& streams);
int RunIntensity(const CliRequest& request, const Streams& streams);
int RunIndices(const CliRequest& request, const Streams& streams);
int RunLpgm(const CliRequest& request, const Streams& streams);
int RunSi(const CliRequest& request, const Streams& streams);
int RunRotd(const CliRequest& request, const Streams& streams);
int RunSurvey(const CliRequest& request, const Streams& streams);

}  // namespace tremvix::cli
