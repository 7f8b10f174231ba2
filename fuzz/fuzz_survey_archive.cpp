// Arbitrary bytes as an event's archive: member by member in memory, then the whole
// survey of it (planning, the members' temporary folder, the readers, the products).
// Nothing may crash, no member outside the archive may be read, every record ends as
// a row or a failure with a reason, and one worker or two give the same outcomes.
#include "FuzzFiles.h"
#include "core/survey/ArchiveReader.h"
#include "core/survey/SurveyRunner.h"
#include "core/survey/SurveyText.h"

#include <cstdlib>
#include <span>
#include <string>
#include <string_view>
#include <functional>

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void ReadInMemory(std::span<const char> bytes) {
    tremvix::ArchiveReader reader = tremvix::ArchiveReader::OpenMemory(bytes);
    int members = 0;
    while (const std::optional<tremvix::ArchiveMember> member = reader.Next()) {
        Check(!member->path.starts_with("./"));
        std::string data;
        bool more = false;
        if (!reader.Read(data, 1024, more)) break;
        Check(data.size() <= 1024 && (!more || data.size() == 1024));
        Check(++members < 100000);
    }
}

struct Outcomes {
    std::size_t records = 0;
    std::string text;
};

Outcomes Survey(const std::filesystem::path& archive, int threads) {
    std::string text;
    tremvix::SurveyOptions options;
    options.threads = threads;
    const tremvix::SurveyCounts counts =
        tremvix::RunSurvey({archive}, options, [&](const tremvix::SurveyOutcome& outcome) {
            Check(!outcome.record.empty());
            Check(outcome.row.has_value() != !outcome.failure.empty());
            text += outcome.row ? tremvix::SurveyRowLine(*outcome.row) : tremvix::FailureLine(outcome.record, outcome.failure);
        });
    // An archive of folders alone, or one whose damage libarchive takes for its end, holds no record.
    return {counts.rows + counts.failures, std::to_string(counts.rows) + "/" + std::to_string(counts.failures) + "\n" + text};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ReadInMemory({reinterpret_cast<const char*>(data), size});
    // The survey opens archives by name: the scratch file ends like one.
    static const std::filesystem::path archive = ScratchFile("survey").string() + ".tar";
    WriteScratch(archive, data, size);
    const Outcomes one = Survey(archive, 1);
    // Two workers can only reorder or mix up two records or more. Their thread starts
    // under the sanitizers cost more than the rest of an input, so one input in four,
    // chosen by its bytes so that a finding reproduces, is surveyed again with two.
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (one.records >= 2 && std::hash<std::string_view>{}(bytes) % 4 == 0)
        Check(Survey(archive, 2).text == one.text);
    return 0;
}
