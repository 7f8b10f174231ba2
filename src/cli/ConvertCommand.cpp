// --convert: the channels of any layout written as the standard layout, as the
// main window's data export writes them after a transfer of every channel.
#include "cli/Commands.h"
#include "core/data/ChannelList.h"
#include "core/data/ChannelStore.h"
#include "core/data/ChannelTransfer.h"
#include "core/export/CsvWriter.h"
#include "ui/export/SaveFailureText.h"

#include <memory>

namespace tremvix::cli {

int RunConvert(const CliRequest& request, const Streams& streams) {
    // The output must never replace what the record is read from.
    if (const int status = CheckOutputIsNotInput(request, {request.file}, streams.err); status != kExitOk)
        return status;
    std::optional<LoadedRecord> record = LoadRequestedRecord(request, streams.err);
    if (!record) return kExitRefused;
    if (const int status = CheckOutputIsNotInput(request, record->files, streams.err); status != kExitOk)
        return status;
    const ChannelPick channels = ChannelsToTransfer(request, *record, streams.err);
    if (channels.status != kExitOk) return channels.status;
    const auto store = std::make_unique<ChannelStore>();
    ChannelList list;
    AppendChannels(*store, list, TransferOf(*record, channels.channels), TransferProcessing{});
    const SaveResult saved = WriteCsv(request.output, *store);
    if (!saved.ok)
        return Refuse(streams.err,
                      AboutFile(request.output, SaveFailureText(QStringLiteral("データ"), saved).toStdString()));
    return kExitOk;
}

}  // namespace tremvix::cli
