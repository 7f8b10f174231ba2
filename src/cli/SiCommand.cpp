// --si: the SI value of every acceleration channel.
#include "cli/Commands.h"
#include "cli/CsvOutput.h"
#include "core/analysis/SpectrumIntensity.h"

namespace tremvix::cli {

int RunSi(const CliRequest& request, const Streams& streams) {
    const std::optional<LoadedRecord> record = LoadRequestedRecord(request, streams.err);
    if (!record) return kExitRefused;
    struct Row {
        int number;
        std::string id;
        double si;
    };
    // Everything is computed before anything is written, so a refusal leaves no rows.
    std::vector<Row> rows;
    for (std::size_t k = 0; k < record->channels.size(); ++k) {
        const TransferColumn& channel = record->channels[k];
        const std::optional<std::vector<float>> gal = SamplesInGal(channel);
        if (!gal) continue;
        const int number = static_cast<int>(k) + 1;
        const SiResult si = ComputeSpectrumIntensity(*gal, record->rate);
        if (si.refusal)
            return Refuse(streams.err, AboutFile(request.file, "チャンネル " + std::to_string(number) + "：" +
                                                                   AnalysisRefusalText(*si.refusal)));
        rows.push_back({number, Utf8Text(channel.id), si.si});
    }
    if (rows.empty()) Note(streams.err, request.file + "：加速度のチャンネルがありません");

    CsvOutput csv(streams.out);
    csv.Header({"channel", "id", "si"});
    for (const Row& row : rows) {
        csv.Integer(row.number);
        csv.Text(row.id);
        csv.Number(row.si);
        csv.EndRow();
    }
    return FinishOutput(csv, request, streams.err);
}

}  // namespace tremvix::cli
