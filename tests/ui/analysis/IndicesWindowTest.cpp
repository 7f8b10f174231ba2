// The peak and intensity window: its table against the core and against the
// definitions, the integration filter of the main window, the intensity of the
// components it finds, its refusals and its exports.
#include "AnalysisTestSupport.h"

#include "core/analysis/GroundMotionIndices.h"
#include "core/analysis/JmaIntensity.h"
#include "core/dsp/ChannelConversion.h"
#include "ui/analysis/Uindices.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/StringGrid.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QRadioButton>

#include <numbers>

namespace {

const QString kSelection = QStringLiteral("選択エラー");

QString C(const char* format, double v) { return QString::asprintf(format, v); }

// The table of an export: its text up to the first blank line, in rows.
std::vector<QStringList> TablePart(const QString& text, QChar separator) {
    return Rows(text.section(QStringLiteral("\n\n"), 0, 0), QStringLiteral("\n"), separator);
}

}  // namespace

class IndicesWindowTest : public AnalysisTest {
protected:
    TIndices* OpenWindow() {
        Open->Indices1->trigger();
        return qobject_cast<TIndices*>(TopLevel(QStringLiteral("Indices")));
    }
    // NS in gal, EW in m/s2, a velocity, UD in gal.
    void TransferMixedUnits(int n = 1500) {
        Transfer(files.Write(QStringLiteral("mixed.csv"),
                             StandardText({QStringLiteral("NS"), QStringLiteral("EW"), QStringLiteral("VEL"), QStringLiteral("UD")},
                                          {QStringLiteral("GL"), QStringLiteral("GL"), QStringLiteral("GL"), QStringLiteral("GL")},
                                          {QStringLiteral("gal"), QStringLiteral("m/s2"), QStringLiteral("cm/s"), QStringLiteral("gal")},
                                          {Wave(n, 0.01, 40.0, 1.5, 3.0), Wave(n, 0.01, 0.3, 0.8, 2.0),
                                           Wave(n, 0.01, 5.0, 0.5), Wave(n, 0.01, 15.0, 4.0, 6.0)})),
                 {1, 2, 3, 4});
    }
    tremvix::IntegrationSetup Setup(tremvix::IntegrationFilter filter) const {
        return {Open->Filters.SamplingInterval, filter, Open->Filters.BandPass.data(), Open->Filters.LowPass.data()};
    }
    tremvix::ChannelRecord InGal(int k, double factor) const {
        tremvix::ChannelRecord r;
        for (const float v : Samples(k)) r.Samples.push_back(static_cast<float>(v * factor));
        r.SampleCount = static_cast<std::int32_t>(r.Samples.size());
        return r;
    }
    void Choose(TIndices& w, int component, int channel) {
        w.ComponentBoxes[component]->setCurrentIndex(channel);
        emit w.ComponentBoxes[component]->activated(channel);
    }
};

TEST_F(IndicesWindowTest, ARowPerAccelerationInGalAsTheDefinitionsAndTheCoreGiveIt) {
    TransferMixedUnits();
    TIndices* w = OpenWindow();
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->Rows().size(), 3u) << "the velocity has no row";
    ASSERT_EQ(w->StringGrid1->rowCount(), 4);
    EXPECT_EQ(w->StringGrid1->cell(2, 0), QStringLiteral("PGA (gal)"));
    const int channels[3] = {0, 1, 3};
    const double factors[3] = {1.0, 100.0, 1.0};
    for (int r = 0; r < 3; ++r) {
        const int k = channels[r];
        const tremvix::GroundMotionIndices& shown = w->Rows()[r].values;
        const tremvix::GroundMotionIndices core =
            tremvix::ComputeGroundMotionIndices(InGal(k, factors[r]), Setup(tremvix::IntegrationFilter::BandPass), 100.0);
        EXPECT_EQ(shown.pga, core.pga);
        EXPECT_EQ(shown.pgv, core.pgv);
        EXPECT_EQ(shown.pgd, core.pgd);
        EXPECT_EQ(shown.d5_95, core.d5_95);

        // The definitions, summed here in gal over the record less its mean.
        double peak = 0.0, absSum = 0.0, squareSum = 0.0, mean = 0.0;
        std::size_t at = 0;
        for (const float v : InGal(k, factors[r]).Samples) mean += v;
        mean /= static_cast<double>(Samples(k).size());
        for (std::size_t i = 0; i < Samples(k).size(); ++i) {
            const double a = static_cast<float>(Samples(k)[i] * factors[r]) - mean;
            if (std::abs(a) > peak) peak = std::abs(a), at = i;
            absSum += std::abs(a);
            squareSum += a * a;
        }
        EXPECT_NEAR(shown.pga, peak, 1e-6 * peak);
        EXPECT_NEAR(shown.pgaTime, at * 0.01, 1e-12);
        EXPECT_NEAR(shown.cav, absSum * 0.01, 1e-6 * absSum * 0.01);
        EXPECT_NEAR(shown.arias, std::numbers::pi / (2.0 * 980.665) * squareSum * 0.01, 1e-6 * shown.arias);
        EXPECT_EQ(w->StringGrid1->cell(1, r + 1), QString::fromLatin1(r == 0 ? "NS" : r == 1 ? "EW" : "UD"));
        EXPECT_EQ(w->StringGrid1->cell(2, r + 1), C("%.3f", shown.pga));
        EXPECT_EQ(w->StringGrid1->cell(3, r + 1), C("%.2f", shown.pgaTime));
        EXPECT_EQ(w->StringGrid1->cell(8, r + 1), C("%.3f", shown.cav));
    }
}

TEST_F(IndicesWindowTest, VelocityAndDisplacementFollowTheMainWindowsIntegrationFilter) {
    TransferMixedUnits();
    TIndices* w = OpenWindow();
    EXPECT_TRUE(w->Label1->text().endsWith(QStringLiteral("バンドパス")));
    // The pop-up's velocity of the gal channel, made with the same filter.
    Open->StringGrid1->setCurrentCell(2, 1);
    Open->Velocity->trigger();
    const tremvix::ChannelRecord& velocity = Open->Store().VelocityBank[0];
    EXPECT_EQ(w->Rows()[0].values.pgv, tremvix::PeakOf({velocity.Samples.data(), velocity.Samples.size()}).magnitude);

    Open->RadioGroup4->button(0)->click();
    QCoreApplication::processEvents();
    EXPECT_TRUE(w->Label1->text().endsWith(QStringLiteral("なし")));
    const tremvix::GroundMotionIndices unfiltered =
        tremvix::ComputeGroundMotionIndices(InGal(3, 1.0), Setup(tremvix::IntegrationFilter::None), 100.0);
    EXPECT_EQ(w->Rows()[2].values.pgv, unfiltered.pgv);
    EXPECT_EQ(w->Rows()[2].values.pgd, unfiltered.pgd);
    EXPECT_EQ(w->StringGrid1->cell(4, 3), C("%.3f", unfiltered.pgv));
}

TEST_F(IndicesWindowTest, TheIntensityOfTheComponentsFoundByTheirNamesIsShownLarge) {
    Transfer(ExampleFile("sample_standard.csv"), {1, 2, 3});
    TIndices* w = OpenWindow();
    EXPECT_EQ(w->ComponentBoxes[0]->currentText(), QStringLiteral("1: ACC-NS"));
    EXPECT_EQ(w->ComponentBoxes[1]->currentText(), QStringLiteral("2: ACC-EW"));
    EXPECT_EQ(w->ComponentBoxes[2]->currentText(), QStringLiteral("3: ACC-UD"));
    const tremvix::JmaIntensity core = tremvix::ComputeJmaIntensity(Samples(0), Samples(1), Samples(2), 100.0);
    ASSERT_FALSE(core.refusal);
    ASSERT_TRUE(w->Intensity().has_value());
    EXPECT_EQ(w->Intensity()->a0, core.a0);
    EXPECT_EQ(w->Intensity()->intensity, core.intensity);
    EXPECT_EQ(w->Label3->text(), QStringLiteral("計測震度 ") + C("%.3f", core.intensity));
    EXPECT_EQ(w->Label4->text(), QString::fromStdString(core.intensityClass));
    EXPECT_EQ(w->Label5->text(), QStringLiteral("発表値 ") + QString::fromStdString(core.reported));
    EXPECT_GT(w->Label3->font().pixelSize(), 2 * w->Label2->font().pixelSize() - 4) << "large type";

    // One channel for two components is refused and the choice put back; swapping the
    // two horizontals leaves the vector sum, and so the intensity, as it was.
    Choose(*w, 0, 1);
    EXPECT_EQ(messages.size(), 1u) << "the moment both pointed at one channel";
    EXPECT_EQ(w->ComponentBoxes[0]->currentIndex(), 0);
    w->ComponentBoxes[0]->setCurrentIndex(1);
    Choose(*w, 1, 0);
    ASSERT_TRUE(w->Intensity().has_value());
    EXPECT_NEAR(w->Intensity()->intensity, core.intensity, 1e-9);
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(IndicesWindowTest, ComponentChoicesThatGiveNoIntensityAreRefusedAndChangeNothing) {
    TransferMixedUnits();
    TIndices* w = OpenWindow();
    ASSERT_TRUE(w->Intensity().has_value()) << "NS, EW and UD found, EW converted from m/s2";
    const double before = w->Intensity()->intensity;
    const QString shown = w->Label3->text();

    ASSERT_EQ(w->ComponentBoxes[2]->currentIndex(), 3);
    Choose(*w, 2, 2);  // the velocity as UD
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, WithIdeographicSpaces(QStringLiteral("加速度でないチャンネルが選ばれています"), 5));
    EXPECT_EQ(messages[0].caption, kSelection);
    EXPECT_EQ(w->ComponentBoxes[2]->currentIndex(), 3) << "the refused choice is put back";
    Choose(*w, 2, 0);  // NS twice
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text, WithIdeographicSpaces(QStringLiteral("同じチャンネルが2つの成分に選ばれています"), 5));
    EXPECT_EQ(w->ComponentBoxes[2]->currentIndex(), 3);
    EXPECT_EQ(w->ComponentBoxes[0]->currentIndex(), 0);
    EXPECT_EQ(w->Intensity()->intensity, before);
    EXPECT_EQ(w->Label3->text(), shown);

    // A shorter record appended: its length differs from the others.
    Transfer(files.Write(QStringLiteral("short.csv"),
                         StandardText({QStringLiteral("UD2")}, {QStringLiteral("GL")}, {QStringLiteral("gal")},
                                      {Wave(900, 0.01, 10.0, 2.0)})),
             {1}, false);
    Choose(*w, 2, 4);
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[2].text, WithIdeographicSpaces(QStringLiteral("チャンネルのデータ数が一致しません"), 5));
    EXPECT_EQ(w->Intensity()->intensity, before);
}

TEST_F(IndicesWindowTest, FewerThanThreeAccelerationsGiveNoIntensity) {
    Transfer(files.Write(QStringLiteral("two.csv"),
                         StandardText({QStringLiteral("NS"), QStringLiteral("EW"), QStringLiteral("VEL")},
                                      {QStringLiteral("GL"), QStringLiteral("GL"), QStringLiteral("GL")},
                                      {QStringLiteral("gal"), QStringLiteral("gal"), QStringLiteral("cm/s")},
                                      {Wave(600, 0.01, 10.0, 2.0), Wave(600, 0.01, 8.0, 3.0), Wave(600, 0.01, 1.0, 1.0)})),
             {1, 2, 3});
    TIndices* w = OpenWindow();
    EXPECT_TRUE(messages.empty()) << "opening shows no box";
    EXPECT_FALSE(w->Intensity().has_value());
    EXPECT_EQ(w->Label3->text(), QStringLiteral("計測震度 —"));
    w->Button4->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, WithIdeographicSpaces(QStringLiteral("震度の計算には加速度のチャンネルが3つ必要です"), 5));
    EXPECT_EQ(messages[0].caption, kSelection);
}

TEST_F(IndicesWindowTest, TheTableGoesToTheClipboardAsTabsAndToCsvWithExactNumbers) {
    TransferMixedUnits();
    TIndices* w = OpenWindow();
    // The copy has the grid's SI column; the CSV has the command line's table and
    // the SI in a part of its own.
    const auto expectRows = [w](const std::vector<QStringList>& rows, bool withSi) {
        ASSERT_EQ(rows.size(), 4u);
        for (int r = 0; r < 3; ++r) {
            const tremvix::GroundMotionIndices& v = w->Rows()[r].values;
            const QStringList& row = rows[r + 1];
            ASSERT_EQ(row.size(), withSi ? 10 : 9);
            EXPECT_EQ(row[0], QString::number(w->Rows()[r].index + 1));
            EXPECT_EQ(row[1], w->Rows()[r].id);
            const double values[7] = {v.pga, v.pgaTime, v.pgv, v.pgd, v.arias, *v.d5_95, v.cav};
            for (int c = 0; c < 7; ++c) EXPECT_EQ(Number(row[c + 2]), values[c]) << "row " << r << " column " << c;
            ASSERT_TRUE(w->Rows()[r].si.has_value());
            if (withSi) {
                EXPECT_EQ(Number(row[9]), *w->Rows()[r].si) << "the SI after the indices";
            }
        }
    };
    // The indices' entries as they were, then those of the SI and the class.
    const auto expectSettings = [](const QString& line, const QString& indices) {
        EXPECT_TRUE(line.startsWith(indices + QStringLiteral("; "))) << line.toStdString();
        for (const char* entry : {"si_damping=0.2", "si_mean_removed=no", "si_h=the larger of NS and EW", "lpgm_damping=0.05",
                                  "lpgm_mean_removed=no", "lpgm_high_pass=JMA second-order Butterworth"})
            EXPECT_TRUE(line.contains(QString::fromLatin1(entry))) << entry;
    };
    // How the numbers were made comes first, the filter by the name the main window shows.
    const QString filter = Open->RadioGroup4->button(Open->RadioGroup4->itemIndex())->text();
    const QString settings = QStringLiteral("# ground-motion indices; filter=") + filter +
                             QStringLiteral("; mean_removed=yes (of the record before every index); damping=none; "
                                            "smoothing=none; rate_hz=100");
    w->Button1->click();
    std::vector<QStringList> pasted = TablePart(QGuiApplication::clipboard()->text(), QLatin1Char('\t'));
    ASSERT_GT(pasted.size(), 1u);
    ASSERT_EQ(pasted[0].size(), 1) << "the settings line is one field";
    expectSettings(pasted[0][0], settings);
    pasted.erase(pasted.begin());
    EXPECT_EQ(pasted[0], IndicesHeadings());
    expectRows(pasted, true);

    SaveAs(files.Path(QStringLiteral("indices")));
    w->Button2->click();
    const QByteArray bytes = FileBytes(files.Path(QStringLiteral("indices.csv")));
    EXPECT_FALSE(bytes.contains('\r')) << "LF, as the command line writes";
    std::vector<QStringList> saved = TablePart(QString::fromUtf8(bytes), QLatin1Char(','));
    ASSERT_GT(saved.size(), 1u);
    ASSERT_EQ(saved[0].size(), 1);
    expectSettings(saved[0][0], settings);
    saved.erase(saved.begin());
    EXPECT_EQ(saved[0].join(','), QStringLiteral("channel,id,pga,pga_time_s,pgv,pgd,arias,d5_95,cav"));
    expectRows(saved, false);
    const std::vector<QStringList> si =
        Rows(QString::fromUtf8(bytes).section(QStringLiteral("\n\n"), 1, 1), QStringLiteral("\n"), QLatin1Char(','));
    ASSERT_EQ(si.size(), 4u);
    EXPECT_EQ(si[0].join(','), QStringLiteral("channel,id,si"));
    for (int r = 0; r < 3; ++r) EXPECT_EQ(Number(si[r + 1][2]), *w->Rows()[r].si) << r;
    EXPECT_TRUE(messages.empty());
}

// The indices are of the record with its mean removed: said in the window, in the
// grid's tool tip and (above) in every export.
TEST_F(IndicesWindowTest, TheWindowSaysTheIndicesAreOfTheRecordWithoutItsMean) {
    TransferMixedUnits();
    TIndices* w = OpenWindow();
    EXPECT_TRUE(w->Label1->text().contains(QStringLiteral("平均値を除いて計算"))) << w->Label1->text().toStdString();
    EXPECT_TRUE(w->StringGrid1->toolTip().contains(QStringLiteral("平均値を除いた加速度で計算")));
    EXPECT_LE(w->Label1->x() + w->Label1->width(), w->width()) << "the label is not cut at the window's edge";
}

// DT = 0.003 s: times and sums at 333.333... samples per second, as the command line
// computes them; only the integration's filters are designed for a whole rate.
TEST_F(IndicesWindowTest, ARecordAtARateOutsideTheMenuIsComputedAtItsExactRate) {
    Transfer(files.Write(QStringLiteral("RSN1_TEST_T090.AT2"), At2Text(Wave(2000, 0.003, 0.1, 4.0, 9.0), ".0030")), {1});
    ASSERT_EQ(Open->StringGrid1->cell(3, 1), QStringLiteral("gal")) << "read in gal";
    TIndices* w = OpenWindow();
    ASSERT_EQ(w->Rows().size(), 1u);
    const double rate = 1.0 / 0.003;
    const tremvix::GroundMotionIndices core =
        tremvix::ComputeGroundMotionIndices(InGal(0, 1.0), Setup(tremvix::IntegrationFilter::BandPass), rate);
    const tremvix::GroundMotionIndices& shown = w->Rows()[0].values;
    ASSERT_FALSE(shown.refusal);
    EXPECT_EQ(shown.pgaTime, core.pgaTime);
    EXPECT_EQ(shown.arias, core.arias);
    EXPECT_EQ(shown.cav, core.cav);
    EXPECT_EQ(shown.d5_95, core.d5_95);
    EXPECT_EQ(shown.pgv, core.pgv);
    EXPECT_TRUE(w->Label1->text().contains(QStringLiteral("サンプリング率 333.333 Hz")));
}

TEST_F(IndicesWindowTest, TheIntensityOfARecordAtARateOutsideTheMenuIsAtItsExactRate) {
    files.Write(QStringLiteral("RSN2_TEST_T000.AT2"), At2Text(Wave(3000, 0.003, 0.2, 2.0, 5.0), ".0030", "000"));
    files.Write(QStringLiteral("RSN2_TEST_T090.AT2"), At2Text(Wave(3000, 0.003, 0.15, 3.0, 7.0), ".0030", "090"));
    Transfer(files.Write(QStringLiteral("RSN2_TEST_T-UP.AT2"), At2Text(Wave(3000, 0.003, 0.05, 6.0), ".0030", "UP")), {1, 2, 3});
    ASSERT_EQ(Open->Store().ChannelCount, 3);
    TIndices* w = OpenWindow();
    for (int i = 0; i < 3; ++i) {
        w->ComponentBoxes[i]->setCurrentIndex(i);
    }
    w->Button4->click();
    const tremvix::JmaIntensity core = tremvix::ComputeJmaIntensity(Samples(0), Samples(1), Samples(2), 1.0 / 0.003);
    ASSERT_FALSE(core.refusal);
    ASSERT_TRUE(w->Intensity().has_value());
    EXPECT_EQ(w->Intensity()->a0, core.a0);
    EXPECT_EQ(w->Intensity()->intensity, core.intensity);
}

TEST_F(IndicesWindowTest, WithNoAccelerationNothingCanBeCopiedOrSaved) {
    TIndices* w = OpenWindow();
    ASSERT_TRUE(w->Rows().empty());
    EXPECT_FALSE(w->Button1->isEnabled());
    EXPECT_FALSE(w->Button2->isEnabled());
    EXPECT_FALSE(w->Button4->isEnabled());
    SaveAs(files.Path(QStringLiteral("none")));
    w->Button2Click();
    EXPECT_FALSE(QFile::exists(files.Path(QStringLiteral("none.csv"))));
    TransferMixedUnits();
    EXPECT_TRUE(w->Button1->isEnabled());
    EXPECT_TRUE(w->Button2->isEnabled());
    EXPECT_TRUE(w->Button4->isEnabled());
}
