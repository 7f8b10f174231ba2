// --survey: one row per record of a whole event, and the records refused.
#include "cli/Commands.h"
#include "core/export/AtomicFile.h"
#include "core/survey/SurveyRunner.h"
#include "core/survey/SurveyText.h"

#include <cstdio>
#include <iostream>
#include <unistd.h>

namespace tremvix::cli {
namespace {

// Progress is for a person watching: only on a terminal, never in a log or a pipe.
bool ShowsProgress(const Streams& streams) { return &streams.err == &std::cerr && ::isatty(STDERR_FILENO) == 1; }

int CheckOutputs(const CliRequest& request, const Streams& streams) {
    const std::vector<std::filesystem::path> inputs(request.paths.begin(), request.paths.end());
    if (!request.output.empty())
        if (const int status = CheckOutputIsNotInput(request, inputs, streams.err); status != kExitOk) return status;
    if (!request.failures.empty()) {
        CliRequest failures = request;
        failures.output = request.failures;
        if (const int status = CheckOutputIsNotInput(failures, inputs, streams.err); status != kExitOk) return status;
        if (request.failures == request.output)
            return WrongUsage(streams.err, "--out と --failures に同じファイル " + request.output + " が指定されています");
    }
    return kExitOk;
}

bool SaveText(const std::string& file, const std::string& text, std::ostream& err) {
    const SaveResult saved = WriteFileAtomically(file, [&](std::FILE* stream) {
        return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
    });
    if (!saved.ok) Refuse(err, AboutFile(file, "書き込めません: " + saved.error));
    return saved.ok;
}

}  // namespace

int RunSurvey(const CliRequest& request, const Streams& streams) {
    if (const int status = CheckOutputs(request, streams); status != kExitOk) return status;
    const bool toFile = !request.output.empty();
    std::string rows = SurveyHeaderLine();
    std::string failures = FailureHeaderLine();
    if (!toFile) {
        streams.out << rows;
        rows.clear();
    }
    const bool progress = ShowsProgress(streams);
    SurveyOptions options;
    options.threads = request.threads;
    if (progress)
        options.progress = [&](std::size_t done, std::size_t total) { streams.err << '\r' << done << " / " << total << std::flush; };
    // Rows to standard output go as they come; a file is written whole at the end, so
    // that a survey stopped half way leaves no table that looks complete.
    const SurveyCounts counts = tremvix::RunSurvey({request.paths.begin(), request.paths.end()}, options,
                                                   [&](const SurveyOutcome& outcome) {
                                                       if (!outcome.row) {
                                                           failures += FailureLine(outcome.record, outcome.failure);
                                                       } else if (toFile) {
                                                           rows += SurveyRowLine(*outcome.row);
                                                       } else {
                                                           streams.out << SurveyRowLine(*outcome.row);
                                                       }
                                                   });
    if (progress) streams.err << '\n';
    bool written = true;
    if (toFile) written = SaveText(request.output, rows, streams.err);
    else written = static_cast<bool>(streams.out.flush());
    if (!toFile && !written) Refuse(streams.err, "標準出力に書き込めません");
    if (!request.failures.empty()) written = SaveText(request.failures, failures, streams.err) && written;
    Note(streams.err, "記録 " + std::to_string(counts.rows) + " 件、読めなかったもの " + std::to_string(counts.failures) + " 件" +
                          (counts.failures > 0 && request.failures.empty() ? "（--failures で理由の一覧を書けます）" : ""));
    return written && counts.failures == 0 ? kExitOk : kExitRefused;
}

}  // namespace tremvix::cli
