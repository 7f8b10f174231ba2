// The indices window's products of the two horizontals: the long-period class of the
// NS and EW chosen (label, band classes, curve) against the core and the published
// class and band definitions, the SI column and the larger horizontal SI with its
// guide, the refusals in words, and the exports' parts after the table.
#include "AnalysisTestSupport.h"

#include "core/analysis/LongPeriodGroundMotion.h"
#include "core/analysis/SpectrumIntensity.h"
#include "ui/analysis/LongPeriodPanel.h"
#include "ui/analysis/LongPeriodPlot.h"
#include "ui/analysis/Uindices.h"
#include "ui/components/Mygraph.h"
#include "ui/widgets/StringGrid.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>

#include <algorithm>

namespace {

const char* const kKikNet = "network/SMPH010001011200.NS2";

// The published boundaries, lower bound inclusive.
int ClassOf(double sva) {
    const double bounds[4] = {5.0, 15.0, 50.0, 100.0};
    return static_cast<int>(std::count_if(std::begin(bounds), std::end(bounds), [sva](double b) { return sva >= b; }));
}

// The band of a period: 1秒台 is 1.6-1.8 s, 2秒台 2.0-2.8 s, ..., 7秒台 7.0-7.8 s.
int BandOf(double period) { return static_cast<int>(period + 1e-6) - 1; }

// The gas industry's table from SI (cm/s) to the intensity.
QString GuideOf(double si) {
    const std::pair<double, const char*> table[7] = {{120, "7"}, {70, "6強"}, {40, "6弱"}, {20, "5強"},
                                                     {10, "5弱"}, {4, "4"},    {1, "3"}};
    for (const auto& [bound, guide] : table)
        if (si >= bound) return QString::fromUtf8(guide);
    return QStringLiteral("2以下");
}

}  // namespace

class IndicesLongPeriodTest : public AnalysisTest {
protected:
    TIndices* OpenWindow() {
        Open->Indices1->trigger();
        return qobject_cast<TIndices*>(TopLevel(QStringLiteral("Indices")));
    }
    TIndices* OpenKikNet() {
        Transfer(ExampleFile(kKikNet), {1, 2, 3, 4, 5, 6});
        return OpenWindow();
    }
    void Choose(TIndices& w, int component, int channel) {
        w.ComponentBoxes[component]->setCurrentIndex(channel);
        emit w.ComponentBoxes[component]->activated(channel);
    }
    static QRect Frame(const TMyGraph& g) { return {g.OriginX + 2, g.OriginY - g.HeightY + 2, g.WidthX - 4, g.HeightY - 4}; }
    static int CurvePixels(const TMyGraph& g) { return PixelsOf(g.image(), kLongPeriodCurveColour, Frame(g)); }
    // Everything the class area shows agrees with the core's result.
    static void ExpectShown(const TIndices& w, const tremvix::LongPeriodResult& core) {
        ASSERT_TRUE(w.LongPeriodClass().has_value());
        for (int k = 0; k < tremvix::kLongPeriodCount; ++k) EXPECT_EQ(w.LongPeriodClass()->rows[k].sva, core.rows[k].sva);
        EXPECT_EQ(w.LongPeriod->Label11->text(), QStringLiteral("長周期地震動階級%1").arg(core.level));
        for (int b = 0; b < tremvix::kLongPeriodBands; ++b) {
            EXPECT_EQ(w.LongPeriod->StringGrid2->cell(b, 0), QStringLiteral("%1秒台").arg(b + 1));
            EXPECT_EQ(w.LongPeriod->StringGrid2->cell(b, 1), QString::number(core.bandLevels[b])) << "band " << b;
        }
    }
    static void ExpectRefused(const TIndices& w, const QString& words) {
        EXPECT_FALSE(w.LongPeriodClass().has_value());
        EXPECT_EQ(w.LongPeriod->Label11->text(), QStringLiteral("長周期地震動階級 —"));
        EXPECT_EQ(w.LongPeriod->Label12->text(), words);
        for (int b = 0; b < tremvix::kLongPeriodBands; ++b) EXPECT_EQ(w.LongPeriod->StringGrid2->cell(b, 1), QStringLiteral("—"));
        EXPECT_EQ(CurvePixels(*w.LongPeriod->MyGraph1), 0) << "no curve, not even an earlier one";
    }
};

TEST_F(IndicesLongPeriodTest, TheClassOfAKikNetRecordFollowsTheCoreAndThePublishedBoundaries) {
    TIndices* w = OpenKikNet();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(w->ComponentBoxes[0]->currentText(), QStringLiteral("1: NS2")) << "the surface's horizontals";
    EXPECT_EQ(w->ComponentBoxes[1]->currentText(), QStringLiteral("2: EW2"));
    const tremvix::LongPeriodResult core = tremvix::ComputeLongPeriodClass(Samples(0), Samples(1), 100.0);
    ASSERT_FALSE(core.refusal);
    ExpectShown(*w, core);
    EXPECT_GT(w->LongPeriod->Label11->font().pixelSize(), 2 * w->LongPeriod->Label12->font().pixelSize() - 4) << "large type";

    // The record's and the bands' classes from the Sva by the definitions.
    int record = 0;
    int bands[7] = {};
    for (const tremvix::LongPeriodRow& row : w->LongPeriodClass()->rows) {
        record = std::max(record, ClassOf(row.sva));
        bands[BandOf(row.period)] = std::max(bands[BandOf(row.period)], ClassOf(row.sva));
    }
    EXPECT_EQ(w->LongPeriodClass()->level, record);
    for (int b = 0; b < 7; ++b) EXPECT_EQ(w->LongPeriod->StringGrid2->cell(b, 1), QString::number(bands[b]));
    const auto largest = std::max_element(core.rows.begin(), core.rows.end(),
                                          [](const auto& a, const auto& b) { return a.sva < b.sva; });
    EXPECT_EQ(w->LongPeriod->Label12->text(), QStringLiteral("最大 Sva ") + QString::asprintf("%.3f", largest->sva) +
                                                  QStringLiteral(" cm/s（周期 ") + QString::asprintf("%.1f", largest->period) +
                                                  QStringLiteral(" 秒）"));
    // The conventions where the user reads them.
    const QString note = w->LongPeriod->Label13->text();
    for (const char* words : {"h = 0.05", "絶対速度", "ハイパスフィルタ（周期約20秒）", "ベクトル合成", "NS・EW"})
        EXPECT_TRUE(note.contains(QString::fromUtf8(words))) << words;

    // The borehole's EW with the surface's NS: the class of that pair.
    Choose(*w, 1, 4);
    EXPECT_TRUE(messages.empty());
    ExpectShown(*w, tremvix::ComputeLongPeriodClass(Samples(0), Samples(4), 100.0));
}

TEST_F(IndicesLongPeriodTest, TheGraphDrawsTheSvaOfEveryPeriodAndTheClassBoundaries) {
    TIndices* w = OpenKikNet();
    const TMyGraph& g = *w->LongPeriod->MyGraph1;
    ASSERT_TRUE(w->LongPeriodClass().has_value());
    EXPECT_GT(CurvePixels(g), 150);
    for (const tremvix::LongPeriodRow& row : w->LongPeriodClass()->rows) {
        const int x = *g.PixelX(static_cast<float>(row.period));
        const int y = *g.PixelY(static_cast<float>(row.sva));
        EXPECT_GT(PixelsOf(g.image(), kLongPeriodCurveColour, QRect(x - 2, y - 2, 5, 5)), 4) << "T = " << row.period;
    }
    EXPECT_EQ(*g.PixelX(1.0f), g.OriginX) << "a division per band, from 1 s";
    EXPECT_EQ(*g.PixelX(8.0f), g.OriginX + g.WidthX);
    for (const float bound : {5.0f, 15.0f, 50.0f, 100.0f}) {
        const int y = *g.PixelY(bound);
        ASSERT_GT(y, g.OriginY - g.HeightY);
        EXPECT_GT(PixelsOf(g.image(), kLongPeriodBoundaryColour, QRect(g.OriginX, y, g.WidthX, 1)), g.WidthX / 3) << bound;
    }
}

TEST_F(IndicesLongPeriodTest, TheSvaAxisHoldsWeakAndStrongCurvesWithEveryBoundary) {
    tremvix::LongPeriodResult weak;
    for (auto& row : weak.rows) row.sva = 0.02;
    const DecadeRange w = LongPeriodDecades(weak);
    EXPECT_EQ(w.first, -2);
    EXPECT_EQ(w.first + w.count, 3);
    tremvix::LongPeriodResult strong;
    strong.rows[3].sva = 2500.0;
    strong.rows[4].sva = 1e-6;
    const DecadeRange s = LongPeriodDecades(strong);
    EXPECT_EQ(s.first + s.count, 4);
    EXPECT_EQ(s.count, 5) << "at most five decades, the lowest cut off";
}

TEST_F(IndicesLongPeriodTest, TheSiColumnAndTheLargerHorizontalWithItsGuide) {
    // NS in gal, EW in m/s2 (a hundred times larger in gal), a velocity, UD in gal.
    Transfer(files.Write(QStringLiteral("mixed.csv"),
                         StandardText({QStringLiteral("NS"), QStringLiteral("EW"), QStringLiteral("VEL"), QStringLiteral("UD")},
                                      {QStringLiteral("GL"), QStringLiteral("GL"), QStringLiteral("GL"), QStringLiteral("GL")},
                                      {QStringLiteral("gal"), QStringLiteral("m/s2"), QStringLiteral("cm/s"), QStringLiteral("gal")},
                                      {Wave(1500, 0.01, 40.0, 1.5, 3.0), Wave(1500, 0.01, 0.3, 0.8, 2.0),
                                       Wave(1500, 0.01, 5.0, 0.5), Wave(1500, 0.01, 15.0, 4.0, 6.0)})),
             {1, 2, 3, 4});
    TIndices* w = OpenWindow();
    ASSERT_EQ(w->Rows().size(), 3u);
    EXPECT_EQ(w->StringGrid1->cell(9, 0), QStringLiteral("SI (cm/s)"));
    const int channels[3] = {0, 1, 3};
    const double factors[3] = {1.0, 100.0, 1.0};
    double si[3] = {};
    for (int r = 0; r < 3; ++r) {
        std::vector<float> gal;
        for (const float v : Samples(channels[r])) gal.push_back(static_cast<float>(v * factors[r]));
        const tremvix::SiResult core = tremvix::ComputeSpectrumIntensity(gal, 100.0);
        ASSERT_FALSE(core.refusal);
        ASSERT_TRUE(w->Rows()[r].si.has_value());
        si[r] = *w->Rows()[r].si;
        EXPECT_EQ(si[r], core.si) << "row " << r;
        EXPECT_EQ(w->StringGrid1->cell(9, r + 1), QString::asprintf("%.3f", core.si));
    }
    const int larger = si[1] > si[0] ? 1 : 0;
    EXPECT_EQ(w->Label9->text(), QStringLiteral("SI ") + QString::asprintf("%.3f", si[larger]) + QStringLiteral(" cm/s（") +
                                     (larger ? QStringLiteral("2: EW") : QStringLiteral("1: NS")) + QStringLiteral("）"));
    EXPECT_TRUE(w->Label10->text().startsWith(QStringLiteral("震度の目安 ") + GuideOf(si[larger]) + QStringLiteral("（")))
        << w->Label10->text().toStdString();
    EXPECT_TRUE(w->Label10->text().contains(QStringLiteral("目安。計測震度ではない")));

    // UD and EW exchanged: the SI follows the choice.
    w->ComponentBoxes[2]->setCurrentIndex(1);
    Choose(*w, 1, 3);
    EXPECT_TRUE(messages.empty());
    ASSERT_TRUE(w->Intensity().has_value());
    EXPECT_TRUE(w->Label9->text().startsWith(QStringLiteral("SI ") + QString::asprintf("%.3f", std::max(si[0], si[2]))));
}

TEST_F(IndicesLongPeriodTest, WithoutTwoHorizontalAccelerationsTheClassAreaSaysSoAndKeepsNothing) {
    TIndices* w = OpenKikNet();
    ASSERT_TRUE(w->LongPeriodClass().has_value());
    ASSERT_GT(CurvePixels(*w->LongPeriod->MyGraph1), 0);
    Transfer(files.Write(QStringLiteral("one.csv"),
                         StandardText({QStringLiteral("NS"), QStringLiteral("VEL")}, {QStringLiteral("GL"), QStringLiteral("GL")},
                                      {QStringLiteral("gal"), QStringLiteral("cm/s")},
                                      {Wave(800, 0.01, 30.0, 0.3), Wave(800, 0.01, 2.0, 0.5)})),
             {1, 2});
    EXPECT_TRUE(messages.empty()) << "a refresh shows no box";
    ExpectRefused(*w, QStringLiteral("長周期地震動階級の計算には水平2成分（NS・EW）の加速度が必要です"));
    EXPECT_EQ(w->Label9->text(), QStringLiteral("SI —"));
    ASSERT_EQ(w->Rows().size(), 1u);
    EXPECT_TRUE(w->Rows()[0].si.has_value()) << "the channel's own SI is still had";
}

// DT = 20 s: the high-pass's corner (about 0.051 Hz) lies above the Nyquist frequency.
TEST_F(IndicesLongPeriodTest, ARateWithoutTheHighPassIsRefusedInWords) {
    files.Write(QStringLiteral("RSN3_TEST_T000.AT2"), At2Text(Wave(120, 20.0, 0.01, 0.004), "20.000", "000"));
    Transfer(files.Write(QStringLiteral("RSN3_TEST_T090.AT2"), At2Text(Wave(120, 20.0, 0.02, 0.003), "20.000", "090")), {1, 2});
    ASSERT_EQ(Open->Store().ChannelCount, 2);
    TIndices* w = OpenWindow();
    ASSERT_NE(w->ComponentBoxes[0]->currentIndex(), -1) << "000 and 090 are the horizontals";
    EXPECT_TRUE(messages.empty());
    ExpectRefused(*w, QStringLiteral("このサンプリング率では長周期地震動のハイパスフィルタを設計できません"));
}

// Without three accelerations there is no intensity: the NS and EW boxes then choose
// the horizontals of the class and the SI, and only a refusal of those is told.
TEST_F(IndicesLongPeriodTest, TwoHorizontalsAloneAreChosenForTheClass) {
    Transfer(files.Write(QStringLiteral("two.csv"),
                         StandardText({QStringLiteral("NS"), QStringLiteral("EW"), QStringLiteral("VEL")},
                                      {QStringLiteral("GL"), QStringLiteral("GL"), QStringLiteral("GL")},
                                      {QStringLiteral("gal"), QStringLiteral("gal"), QStringLiteral("cm/s")},
                                      {Wave(2000, 0.01, 60.0, 0.4, 0.3), Wave(2000, 0.01, 40.0, 0.25), Wave(2000, 0.01, 1.0, 1.0)})),
             {1, 2, 3});
    TIndices* w = OpenWindow();
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(w->Intensity().has_value());
    EXPECT_EQ(w->ComponentBoxes[2]->currentIndex(), -1);
    const tremvix::LongPeriodResult core = tremvix::ComputeLongPeriodClass(Samples(0), Samples(1), 100.0);
    ExpectShown(*w, core);

    Choose(*w, 1, 2);  // the velocity as EW
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, WithIdeographicSpaces(QStringLiteral("加速度でないチャンネルが選ばれています"), 5));
    EXPECT_EQ(w->ComponentBoxes[1]->currentIndex(), 1) << "put back";
    ExpectShown(*w, core);

    // NS and EW swapped: the horizontal vector is the same.
    w->ComponentBoxes[0]->setCurrentIndex(1);
    Choose(*w, 1, 0);
    EXPECT_EQ(messages.size(), 1u);
    ASSERT_TRUE(w->LongPeriodClass().has_value());
    for (int k = 0; k < tremvix::kLongPeriodCount; ++k)
        EXPECT_NEAR(w->LongPeriodClass()->rows[k].sva, core.rows[k].sva, 1e-9 * core.rows[k].sva);
    EXPECT_EQ(w->LongPeriodClass()->level, core.level);
}

TEST_F(IndicesLongPeriodTest, ExportsCarryTheSummaryAndTheClassRowsAfterTheTable) {
    TIndices* w = OpenKikNet();
    const tremvix::LongPeriodResult core = tremvix::ComputeLongPeriodClass(Samples(0), Samples(1), 100.0);
    const double siH = std::max(*w->Rows()[0].si, *w->Rows()[1].si);
    SaveAs(files.Path(QStringLiteral("kiknet")));
    w->Button2->click();
    const QStringList parts = QString::fromUtf8(FileBytes(files.Path(QStringLiteral("kiknet.csv")))).split(QStringLiteral("\n\n"));
    ASSERT_EQ(parts.size(), 4);
    EXPECT_EQ(Rows(parts[0], QStringLiteral("\n"), QLatin1Char(',')).size(), 8u) << "settings, header, six channels";
    EXPECT_EQ(Rows(parts[1], QStringLiteral("\n"), QLatin1Char(',')).size(), 7u) << "the SI: header, six channels";
    const std::vector<QStringList> summary = Rows(parts[2], QStringLiteral("\n"), QLatin1Char(','));
    ASSERT_EQ(summary.size(), 2u);
    EXPECT_EQ(summary[0].join(','), QStringLiteral("ns_channel,ew_channel,lpgm_class,class_1s,class_2s,class_3s,class_4s,"
                                                   "class_5s,class_6s,class_7s,si_h,si_intensity_guide"));
    QStringList expected{QStringLiteral("1"), QStringLiteral("2"), QString::number(core.level)};
    for (const int band : core.bandLevels) expected.push_back(QString::number(band));
    ASSERT_EQ(summary[1].size(), 12);
    EXPECT_EQ(summary[1].mid(0, 10), expected);
    EXPECT_EQ(Number(summary[1][10]), siH);
    EXPECT_EQ(summary[1][11], GuideOf(siH));
    const std::vector<QStringList> periods = Rows(parts[3], QStringLiteral("\n"), QLatin1Char(','));
    ASSERT_EQ(periods.size(), 33u);
    EXPECT_EQ(periods[0].join(','), QStringLiteral("period_s,sva,class"));
    for (int k = 0; k < 32; ++k) {
        EXPECT_EQ(Number(periods[k + 1][0]), core.rows[k].period);
        EXPECT_EQ(Number(periods[k + 1][1]), core.rows[k].sva);
        EXPECT_EQ(periods[k + 1][2], QString::number(core.rows[k].level));
    }

    w->Button1->click();
    const QStringList pasted = QGuiApplication::clipboard()->text().split(QStringLiteral("\n\n"));
    ASSERT_EQ(pasted.size(), 3);
    EXPECT_TRUE(pasted[1].startsWith(QStringLiteral("NS\tEW\t長周期地震動階級\t1秒台\t")));
    EXPECT_TRUE(pasted[2].startsWith(QStringLiteral("周期 (s)\tSva (cm/s)\t階級\n1.6\t")));
    EXPECT_EQ(pasted[2].trimmed().count(QLatin1Char('\n')), 32);
}

TEST_F(IndicesLongPeriodTest, ARefusedClassLeavesItsFieldsEmptyAndNoPeriodRows) {
    Transfer(files.Write(QStringLiteral("one.csv"),
                         StandardText({QStringLiteral("NS")}, {QStringLiteral("GL")}, {QStringLiteral("gal")}, {Wave(800, 0.01, 30.0, 0.3)})),
             {1});
    TIndices* w = OpenWindow();
    SaveAs(files.Path(QStringLiteral("one")));
    w->Button2->click();
    const QStringList parts = QString::fromUtf8(FileBytes(files.Path(QStringLiteral("one.csv")))).split(QStringLiteral("\n\n"));
    ASSERT_EQ(parts.size(), 3);
    EXPECT_EQ(parts[2], QStringLiteral("ns_channel,ew_channel,lpgm_class,class_1s,class_2s,class_3s,class_4s,"
                                       "class_5s,class_6s,class_7s,si_h,si_intensity_guide\n,,,,,,,,,,,\n"));
}
