// Marking channels in the data set window, by hand and by the automatic group steps.
#include "core/data/ChannelStore.h"
#include "ui/base/HandlerCall.h"
#include "ui/data/DataSetHost.h"
#include "ui/data/Usetdata.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/StringGrid.h"

#include <QCheckBox>
#include <QPushButton>

#include <algorithm>

namespace {
constexpr int kMarkColumn = 4;
constexpr int kContinuousRows = 8;
}  // namespace

const QString TSetData::kMark = QStringLiteral("●");

int TSetData::ChannelRows() const { return std::max(StringGrid1->rowCount() - 1, 0); }

// A click marks the row, or unmarks it when it is marked; with CBCont the 7 rows
// below follow it.
void TSetData::ToggleRow(int row) {
    const bool marked = StringGrid1->cell(kMarkColumn, row) == kMark;
    const int last = CBCont->isChecked() ? row + kContinuousRows - 1 : row;
    for (int r = row; r <= std::min(last, ChannelRows()); ++r)
        StringGrid1->setCell(kMarkColumn, r, marked ? QString() : kMark);
}

void TSetData::MarkRows(int first, int last) {
    for (int r = std::max(first, 1); r <= std::min(last, ChannelRows()); ++r) StringGrid1->setCell(kMarkColumn, r, kMark);
}

void TSetData::ClearMarks() {
    for (int r = 1; r <= ChannelRows(); ++r) StringGrid1->setCell(kMarkColumn, r, QString());
}

void TSetData::MoveCurrentRow(int row) {
    row = std::clamp(row, 1, std::max(ChannelRows(), 1));
    if (ChannelRows() == 0 || (StringGrid1->currentIndex().isValid() && StringGrid1->row() == row)) return;
    StringGrid1->setCurrentCell(std::max(StringGrid1->col(), 0), row);
    ToggleRow(row);
}

void TSetData::StringGrid1Click() {
    if (!StringGrid1->currentIndex().isValid()) return;
    ToggleRow(StringGrid1->row());
}

void TSetData::Button3Click() { ClearMarks(); }

void TSetData::Button5Click() { MarkRows(1, ChannelRows()); }

void TSetData::RadioGroup1Click() {
    const int sizes[4] = {1, 2, 4, 8};
    const int item = RadioGroup1->itemIndex();
    if (item >= 0 && item < 4) StepSize = sizes[item];
}

void TSetData::Button6Click() {
    // Called from code as well as from the event: a conversion error ends it here too.
    RunHandler([&] {
        CheckBox1->setChecked(true);
        CheckBox2->setChecked(true);
        ClearMarks();
        StepStart = 0;
        MoveCurrentRow(1);
        int m = FileChannelCount;
        if (FileChannelCount > StepSize) {
            m = StepSize;
            Button7->setEnabled(true);
            StepStart = StepSize;
        }
        MarkRows(1, m);
        host_.Store().NothingTransferred = false;
        Transfer();
    });
}

void TSetData::Button7Click() {
    // Called from code as well as from the event: a conversion error ends it here too.
    RunHandler([&] {
        ClearMarks();
        // Past the last channel there is nothing more to step to.
        if (StepStart >= FileChannelCount) {
            Button7->setEnabled(false);
            return;
        }
        int e = StepStart + StepSize;
        if (e > FileChannelCount) {
            e = FileChannelCount;
            Button7->setEnabled(false);
        } else {
            Button8->setEnabled(true);
        }
        MoveCurrentRow(StepStart + 1);
        MarkRows(StepStart + 1, e);
        const int r = StepStart < e ? e : StepStart;
        MoveCurrentRow(r);
        MarkRows(r, r);
        Transfer();
        StepStart += StepSize;
    });
}

void TSetData::Button8Click() {
    // Called from code as well as from the event: a conversion error ends it here too.
    RunHandler([&] {
        ClearMarks();
        int b = StepStart - StepSize;
        if (b < 0) {
            b = 0;
            Button8->setEnabled(false);
        }
        const int last = std::min(b + StepSize, FileChannelCount);
        MoveCurrentRow(b + 1);
        MarkRows(b + 1, last);
        MoveCurrentRow(last);
        MarkRows(last, last);
        Transfer();
        StepStart = b;
    });
}
