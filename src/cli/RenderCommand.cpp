// --render: the main window's picture of a file, drawn off screen and saved as
// "グラフ保存" saves it.
#include "cli/Commands.h"
#include "cli/CsvOutput.h"
#include "cli/GuiSession.h"
#include "core/data/ChannelList.h"
#include "core/data/ChannelStore.h"
#include "core/data/ChannelTransfer.h"
#include "ui/base/Conversions.h"
#include "ui/display/GraphCanvas.h"
#include "ui/display/GraphProcedure.h"
#include "ui/display/Mywave.h"
#include "ui/export/GraphExport.h"
#include "ui/export/SaveFailureText.h"

#include <QFile>

#include <memory>

namespace tremvix::cli {
namespace {

// The controls of the main window as the options set them.
GraphRequest RequestOf(const CliRequest& request, const FilterSettings& filters, int canvasHeight) {
    GraphRequest graph;
    graph.overwrite = request.overlay;
    graph.colour = !request.mono;
    graph.equal = request.sameScale.has_value();
    if (request.sameScale) graph.scaleText = QString::fromStdString(ShortestText(*request.sameScale));
    graph.startText = QString::number(request.start);
    graph.DisplayTime = static_cast<float>(request.displayTime);
    graph.SamplingInterval = filters.SamplingInterval;
    graph.SamplingRate = filters.SamplingRate;
    graph.CanvasHeight = canvasHeight;
    return graph;
}

struct Loaded {
    std::unique_ptr<ChannelStore> store = std::make_unique<ChannelStore>();
    ChannelList list;
    FilterSettings filters;
};

// The file transferred as the data set window transfers it, at the window's rate
// for it; a refusal (said on err) leaves `status` set.
struct Transferred {
    std::optional<Loaded> loaded;
    int status = kExitOk;
};

Transferred TransferForDrawing(const CliRequest& request, std::ostream& err) {
    // The picture must never replace what the record is read from.
    if (const int status = CheckOutputIsNotInput(request, {request.file}, err); status != kExitOk) return {{}, status};
    std::optional<LoadedRecord> record = LoadRequestedRecord(request, err);
    if (!record) return {{}, kExitRefused};
    if (const int status = CheckOutputIsNotInput(request, record->files, err); status != kExitOk) return {{}, status};
    const std::optional<std::int32_t> rate = WholeHertz(record->rate);
    if (!rate) return {{}, Refuse(err, UnusableRateText(request, record->rate))};
    const ChannelPick channels = ChannelsToTransfer(request, *record, err);
    if (channels.status != kExitOk) return {{}, channels.status};
    Loaded loaded;
    loaded.filters = FilterSettings::AtRate(*rate);
    TransferProcessing processing;
    if (request.filter) {
        processing.lowPassSet = loaded.filters.TransferLowPass.data();
        processing.lowPassCount = FilterSettings::kCoefficients;
    }
    const AppendResult appended =
        AppendChannels(*loaded.store, loaded.list, TransferOf(*record, channels.channels), processing);
    if (appended.processingFailed)
        return {{}, Refuse(err, AboutFile(request.file, "メモリが足りないためフィルタをかけられません"))};
    return {std::move(loaded), kExitOk};
}

int Draw(const CliRequest& request, Loaded& loaded, const Streams& streams) {
    TMyWave wave;
    wave.resize(kGraphCanvasWidth, kGraphCanvasHeight);
    SetUpGraphCanvas(wave);
    GraphProcedure graph;
    GraphLayout layout;
    GraphOutcome outcome = GraphOutcome::NotTransferred;
    try {
        outcome = graph.Run(*loaded.store, loaded.list, RequestOf(request, loaded.filters, wave.height()), wave, layout);
    } catch (const ConversionError& error) {
        return Refuse(streams.err, AboutFile(request.file, error.message().toStdString()));
    }
    if (outcome != GraphOutcome::Drawn)
        return Refuse(streams.err, AboutFile(request.file, MessageOf(outcome).text.toStdString()));
    const SaveResult saved = SaveGraphPng(wave, QFile::decodeName(request.output.c_str()));
    if (!saved.ok)
        return Refuse(streams.err,
                      AboutFile(request.output, SaveFailureText(QStringLiteral("グラフ"), saved).toStdString()));
    return kExitOk;
}

}  // namespace

int RunRender(const CliRequest& request, const Streams& streams) {
    Transferred transferred = TransferForDrawing(request, streams.err);
    if (!transferred.loaded) return transferred.status;
    const GuiSession session;
    if (!session.CanDraw()) return Refuse(streams.err, "描画の準備ができません");
    return Draw(request, *transferred.loaded, streams);
}

}  // namespace tremvix::cli
