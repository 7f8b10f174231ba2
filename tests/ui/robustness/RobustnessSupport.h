#pragma once

#include "DataFiles.h"
#include "DataSetDriver.h"
#include "UiTestSupport.h"

#include "core/data/ChannelStore.h"
#include "ui/app/Uopen.h"
#include "ui/data/Usetdata.h"
#include "ui/display/Mywave.h"
#include "ui/widgets/StringGrid.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>

#include <cstring>
#include <initializer_list>
#include <memory>
#include <vector>

// Everything a refusal must leave alone: the store byte for byte, both grids, the
// picture and the main window's texts.
struct WindowState {
    std::vector<unsigned char> store;
    QStringList channelList;
    QStringList dataSetGrid;
    QImage picture;
    QStringList texts;

    static QStringList Cells(const StringGrid& grid) {
        QStringList cells;
        for (int r = 0; r < grid.rowCount(); ++r)
            for (int c = 0; c < grid.colCount(); ++c) cells << grid.cell(c, r);
        return cells;
    }
    static WindowState Of(const TOpen& open, const TSetData& setData) {
        WindowState s;
        const auto* bytes = reinterpret_cast<const unsigned char*>(&open.Store());
        s.store.assign(bytes, bytes + sizeof(tremvix::ChannelStore));
        s.channelList = Cells(*open.StringGrid1);
        s.dataSetGrid = Cells(*setData.StringGrid1);
        s.picture = open.MyWave1->image().copy();
        s.texts = {open.Edit1->text(), open.Edit2->text(), open.Edit3->text(), open.Label5->text(),
                   open.Label8->text(), open.Label13->text(), setData.Label1->text(), setData.Label2->text()};
        return s;
    }
};

inline void ExpectSameState(const WindowState& before, const WindowState& after) {
    EXPECT_TRUE(before.store == after.store) << "the channel store changed";
    EXPECT_EQ(before.channelList, after.channelList);
    EXPECT_EQ(before.dataSetGrid, after.dataSetGrid);
    EXPECT_TRUE(before.picture == after.picture) << "the picture changed";
    EXPECT_EQ(before.texts, after.texts);
}

class RobustnessTest : public FormsTest {
protected:
    void Transfer(std::initializer_list<int> rows, bool draw = true) {
        Mark(rows);
        SetData->CheckBox2->setChecked(draw);
        SetData->Button4->click();
    }
    WindowState State() const { return WindowState::Of(*Open, *SetData); }
    // The one message shown since the last call, which is then forgotten.
    ShownMessage OnlyMessage() {
        EXPECT_EQ(messages.size(), 1u);
        ShownMessage m = messages.empty() ? ShownMessage{} : messages.back();
        messages.clear();
        return m;
    }

    DataFiles files;
};
