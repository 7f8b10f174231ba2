#pragma once
// A main window with channels loaded as a transfer leaves them, and ways to read its picture.
#include "UiTestSupport.h"

#include "core/data/ChannelList.h"
#include "ui/app/Uopen.h"
#include "ui/display/Mywave.h"

#include <QImage>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <vector>

constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kWhite = 0xFFFFFFFF;

inline float Sine(int j) { return 100.0f * static_cast<float>(std::sin(2 * std::numbers::pi * j / 1000.0)); }

class GraphTest : public FormsTest {
protected:
    void SetUp() override {
        FormsTest::SetUp();
        Open->Button4->setEnabled(true);
        blank = Picture();
    }

    // Channel k as a transfer would leave it: a filled base record and its list row.
    void Load(int k, int count, const std::function<float(int)>& sample, bool select = true) {
        tremvix::ChannelStore& store = Open->Store();
        tremvix::ChannelRecord& record = store.BaseBank[k];
        record.Filled = 1;
        record.SampleCount = count;
        record.Samples.resize(static_cast<std::size_t>(count));
        for (int j = 0; j < count; ++j) record.Samples[j] = sample(j);
        std::snprintf(record.PointName, sizeof record.PointName, "P%d", k + 1);
        store.IsAcceleration[k] = true;
        store.ChannelCount = std::max(store.ChannelCount, k + 1);
        store.NothingTransferred = false;
        tremvix::ChannelList& list = Open->List();
        list.SetCell(tremvix::ChannelList::kUnit, k + 1, "gal");
        list.SetCell(tremvix::ChannelList::kType, k + 1, "A");
        list.SetCell(tremvix::ChannelList::kSelect, k + 1, select ? tremvix::ChannelList::kMark : "");
        Open->ChannelListChanged();
    }
    void LoadConstant(int k, float value, int count = 30000) {
        Load(k, count, [value](int) { return value; });
    }
    void Draw() { Open->Button4->click(); }

    QImage Picture() const { return Open->MyWave1->image().copy(); }
    QRgb Pixel(int x, int y) const { return Open->MyWave1->image().pixel(x, y); }
    std::vector<int> RowsOf(QRgb colour, int x, int top, int bottom) const {
        std::vector<int> rows;
        for (int y = top; y <= bottom; ++y)
            if (Pixel(x, y) == colour) rows.push_back(y);
        return rows;
    }
    int RightmostOf(QRgb colour, int top, int bottom) const {
        for (int x = Open->MyWave1->width() - 1; x >= 0; --x)
            if (!RowsOf(colour, x, top, bottom).empty()) return x;
        return -1;
    }
    void ExpectOnlyMessage(const QString& text, const QString& caption) {
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, WithIdeographicSpaces(text, 5));
        EXPECT_EQ(messages[0].caption, caption);
        EXPECT_EQ(messages[0].flags, 0x30u);
        messages.clear();
    }

    QImage blank;
};

