#include "core/data/ChannelTransfer.h"

#include "core/data/ChannelList.h"
#include "core/data/ChannelStore.h"
#include "core/data/TextField.h"
#include "core/data/UnitRules.h"
#include "core/dsp/Fir.h"
#include "core/dsp/MovingAverage.h"

#include <algorithm>

namespace tremvix {

namespace {

// The column's samples move into the record: no copy, nothing to allocate.
void FillRecord(ChannelRecord& record, TransferColumn& column, int lines) {
    CopyTextField(record.ChannelId, kChannelIdSize, column.id);
    CopyTextField(record.PointName, kPointNameSize, column.name);
    CopyTextField(record.Memo, kMemoSize, column.memo);
    CopyTextField(record.Unit, kUnitSize, column.unit);
    record.Filled = 1;
    column.samples.resize(static_cast<std::size_t>(lines));
    record.SampleCount = lines;
    record.Samples = std::move(column.samples);
}

void FillListRow(ChannelList& list, int row, const TransferColumn& column, const char* typeCell) {
    list.SetCell(ChannelList::kChannel, row, column.id);
    list.SetCell(ChannelList::kPoint, row, column.name);
    list.SetCell(ChannelList::kUnit, row, column.unit);
    list.SetCell(ChannelList::kSelect, row, ChannelList::kMark);
    list.SetCell(ChannelList::kType, row, typeCell);
}

}  // namespace

AppendResult AppendChannels(ChannelStore& store, ChannelList& list, TransferRead read,
                            const TransferProcessing& processing) {
    AppendResult result;
    result.firstIndex = store.ChannelCount;
    result.count = static_cast<int>(read.columns.size());
    const int lines = std::max(read.linesRead, 0);
    for (int j = 0; j < result.count; ++j) {
        const int k = result.firstIndex + j;
        TransferColumn& column = read.columns[j];
        const UnitRecognition unit = RecogniseUnit(column.unit);
        FillListRow(list, k + 1, column, unit.typeCell);
        if (unit.acceleration) store.IsAcceleration[k] = true;
        FillRecord(store.BaseBank[k], column, std::min<int>(lines, static_cast<int>(column.samples.size())));
    }
    store.DataCount = lines;
    for (int j = 0; j < result.count; ++j) {
        float* samples = store.BaseBank[result.firstIndex + j].Samples.data();
        if (processing.lowPassSet && !ApplyFir(processing.lowPassCount, processing.lowPassSet, samples, lines))
            result.processingFailed = true;
        if (processing.movingAverage && !MovingAverage(processing.halfWidth, lines, samples))
            result.processingFailed = true;
    }
    store.ChannelCount = result.firstIndex + result.count;
    store.NothingTransferred = false;
    return result;
}

}  // namespace tremvix
