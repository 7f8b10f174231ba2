#include "cli/CommandLine.h"

#include "cli/CliRequest.h"
#include "cli/Commands.h"

#include <iostream>

namespace tremvix::cli {
namespace {

int Dispatch(const CliRequest& request, const Streams& streams) {
    switch (request.command) {
    case Command::Help:
        streams.out << UsageText();
        break;
    case Command::Version:
        streams.out << VersionText() << '\n';
        break;
    case Command::Info: return RunInfo(request, streams);
    case Command::Convert: return RunConvert(request, streams);
    case Command::Render: return RunRender(request, streams);
    case Command::Spectrum: return RunSpectrum(request, streams);
    case Command::Fourier: return RunFourier(request, streams);
    case Command::Intensity: return RunIntensity(request, streams);
    case Command::Indices: return RunIndices(request, streams);
    case Command::Lpgm: return RunLpgm(request, streams);
    case Command::Si: return RunSi(request, streams);
    case Command::Rotd: return RunRotd(request, streams);
    case Command::Survey: return RunSurvey(request, streams);
    }
    streams.out.flush();
    return streams.out.good() ? kExitOk : Refuse(streams.err, "標準出力に書き込めません");
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const ParsedArguments parsed = ParseArguments(arguments);
    if (!parsed.request) return WrongUsage(err, parsed.usageError);
    return Dispatch(*parsed.request, Streams{out, err});
}

int RunCommandLine(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    return RunCommandLine(arguments, std::cout, std::cerr);
}

std::string VersionText() { return "tremvix " TREMVIX_VERSION; }

}  // namespace tremvix::cli
