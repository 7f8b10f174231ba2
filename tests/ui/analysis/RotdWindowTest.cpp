// The spectrum window's RotD kind: the named horizontals by default, RotD50 and
// RotD100 drawn in their colours, one damping, refusals that change nothing, and the
// exports' settings and period-0 row checked against the rotated ground acceleration
// computed here from its definition.
#include "AnalysisTestSupport.h"

#include "core/analysis/RotatedSpectrum.h"
#include "ui/analysis/RotdPlot.h"
#include "ui/analysis/Uspectrum.h"
#include "ui/components/Mygraph.h"
#include "ui/display/GraphProcedure.h"
#include "ui/widgets/RadioGroup.h"

#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>

#include <algorithm>
#include <numbers>

namespace {

constexpr int kRotdKind = 3;

// Largest |a cos θ + b sin θ| over the samples for θ = 0°, 1°, …, 179°.
std::vector<double> RotatedPeaks(std::span<const float> a, std::span<const float> b) {
    std::vector<double> peaks;
    for (int theta = 0; theta < 180; ++theta) {
        const double c = std::cos(theta * std::numbers::pi / 180.0);
        const double s = std::sin(theta * std::numbers::pi / 180.0);
        double peak = 0.0;
        for (std::size_t i = 0; i < a.size(); ++i) peak = std::max(peak, std::abs(a[i] * c + b[i] * s));
        peaks.push_back(peak);
    }
    return peaks;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return (values[89] + values[90]) / 2.0;
}

}  // namespace

class RotdWindowTest : public AnalysisTest {
protected:
    // Up-down, east-west, north-south: the named horizontals are not the first two channels.
    void TransferThreeComponents(const char* unit = "gal") {
        const int n = 1500;
        const QString u = QString::fromLatin1(unit);
        Transfer(files.Write(QStringLiteral("three.csv"),
                             StandardText({QStringLiteral("UD"), QStringLiteral("EW"), QStringLiteral("NS")},
                                          {QStringLiteral("P"), QStringLiteral("P"), QStringLiteral("P")}, {u, u, u},
                                          {Wave(n, 0.01, 9.0, 3.0, 8.0), Wave(n, 0.01, 18.0, 0.7, 2.5), Wave(n, 0.01, 30.0, 1.3, 4.0)})),
                 {1, 2, 3});
    }
    TSpectrum* OpenRotd() {
        Open->Spectrum1->trigger();
        auto* w = qobject_cast<TSpectrum*>(TopLevel(QStringLiteral("Spectrum")));
        w->RadioGroup1->button(kRotdKind)->click();
        return w;
    }
    QRect Frame(const TSpectrum& w) const {
        const TMyGraph& g = *w.MyGraph1;
        return {g.OriginX + 2, g.OriginY - g.HeightY + 2, g.WidthX - 4, g.HeightY - 4};
    }
    static void Choose(QComboBox* box, int index) {
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    QStringList SavedLines(TSpectrum& w, const QString& name) {
        SaveAs(files.Path(name));
        w.Button4->click();
        return QString::fromUtf8(FileBytes(files.Path(name + QStringLiteral(".csv")))).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
};

TEST_F(RotdWindowTest, TheNamedHorizontalsAreTakenAndRotd50AndRotd100AreDrawnInTheirColours) {
    TransferThreeComponents();
    TSpectrum* w = OpenRotd();
    EXPECT_EQ(w->RadioGroup1->button(kRotdKind)->text(), QStringLiteral("RotD50/RotD100"));
    EXPECT_EQ(w->ComboBox3->currentText(), QStringLiteral("3: NS"));
    EXPECT_EQ(w->ComboBox4->currentText(), QStringLiteral("2: EW"));
    EXPECT_TRUE(w->GroupBox4->isVisibleTo(w));
    EXPECT_FALSE(w->GroupBox3->isVisibleTo(w)) << "the ratio's box gives its place";
    EXPECT_TRUE(w->GroupBox1->isEnabled());
    EXPECT_FALSE(w->CheckListBox1->isEnabled());
    EXPECT_FALSE(w->RadioGroup2->isEnabled());
    ASSERT_TRUE(messages.empty());

    ASSERT_EQ(w->Plot().curves.size(), 2u);
    EXPECT_EQ(w->MyGraph1->TitleY, QStringLiteral("pSa [gal]   A = 3: NS, B = 2: EW"));
    const QRect frame = Frame(*w);
    const QImage& image = w->MyGraph1->image();
    EXPECT_GT(PixelsOf(image, kTraceColours[kRotd50Slot], frame), 150) << "RotD50";
    EXPECT_GT(PixelsOf(image, kTraceColours[kRotd100Slot], frame), 150) << "RotD100";
    EXPECT_EQ(PixelsOf(image, kTraceColours[kRotd00Slot], frame), 0) << "RotD00 only when asked";
    for (const SpectrumCurve& curve : w->Plot().curves) EXPECT_GT(curve.x.front(), 0.0) << "period 0 is not on a log axis";

    // The rotated PGA, from the definition, written above the peaks.
    const std::vector<double> peaks = RotatedPeaks(Samples(2), Samples(1));
    const double rotd100 = *std::max_element(peaks.begin(), peaks.end());
    const long angle = std::max_element(peaks.begin(), peaks.end()) - peaks.begin();
    EXPECT_EQ(w->Label1->text().section(QLatin1Char('\n'), 0, 0),
              QStringLiteral("PGA（回転）: RotD50 %1 gal, RotD100 %2 gal (θ = %3°)")
                  .arg(QString::asprintf("%.4g", Median(peaks)), QString::asprintf("%.4g", rotd100))
                  .arg(angle));
    EXPECT_TRUE(w->Label1->text().contains(QStringLiteral("RotD100 h=5%: 最大 pSa ")));

    w->CBRotD00->click();
    ASSERT_EQ(w->Plot().curves.size(), 3u);
    EXPECT_GT(PixelsOf(w->MyGraph1->image(), kTraceColours[kRotd00Slot], frame), 50) << "RotD00 dashed";
    w->RadioGroup1->button(0)->click();
    EXPECT_TRUE(w->GroupBox3->isVisibleTo(w));
    EXPECT_FALSE(w->GroupBox4->isVisibleTo(w));
}

// The first line says how the numbers were made; then the command line's columns, the
// row of period 0 first: each component's PGA and the statistics of the rotated one.
TEST_F(RotdWindowTest, TheCsvStatesItsSettingsAndStartsWithTheRotatedGroundAcceleration) {
    TransferThreeComponents();
    TSpectrum* w = OpenRotd();
    w->DampingBoxes[2]->click();  // 10 % takes the place of 5 %
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(w->DampingBoxes[1]->isChecked());
    const QStringList lines = SavedLines(*w, QStringLiteral("rotd"));
    ASSERT_EQ(lines.size(), 2 + 1 + 200);
    EXPECT_EQ(lines[0], QStringLiteral("# RotD50/RotD100; filter=none; damping=0.1; channel_a=3: NS; channel_b=2: EW; unit=gal; "
                                       "psa = omega^2 Sd; rotated 0-179 deg; rate_hz=100"));
    EXPECT_EQ(lines[1], QStringLiteral("period_s,psa_a,psa_b,rotd00,rotd50,rotd100,angle100_deg,gmroti50"));

    const QStringList first = lines[2].split(QLatin1Char(','));
    ASSERT_EQ(first.size(), 8);
    const auto pga = [](std::span<const float> x) {
        double peak = 0.0;
        for (const float v : x) peak = std::max(peak, std::abs(static_cast<double>(v)));
        return peak;
    };
    const std::vector<double> peaks = RotatedPeaks(Samples(2), Samples(1));
    const auto near = [](double expected) { return 1e-9 * expected; };
    EXPECT_EQ(Number(first[0]), 0.0);
    EXPECT_NEAR(Number(first[1]), pga(Samples(2)), near(pga(Samples(2)))) << "A is the north-south component";
    EXPECT_NEAR(Number(first[2]), pga(Samples(1)), near(pga(Samples(1))));
    const double low = *std::min_element(peaks.begin(), peaks.end());
    const double high = *std::max_element(peaks.begin(), peaks.end());
    EXPECT_NEAR(Number(first[3]), low, near(low));
    EXPECT_NEAR(Number(first[4]), Median(peaks), near(Median(peaks)));
    EXPECT_NEAR(Number(first[5]), high, near(high));
    EXPECT_EQ(Number(first[6]), static_cast<double>(std::max_element(peaks.begin(), peaks.end()) - peaks.begin()));

    // The periods are drawn at the damping ticked.
    tremvix::RotatedSpectrumOptions options;
    options.damping = 0.10;
    const tremvix::RotatedSpectrumResult core = tremvix::ComputeRotatedSpectrum(Samples(2), Samples(1), 100.0, options);
    ASSERT_EQ(core.rows.size(), 201u);
    EXPECT_EQ(w->Plot().curves.at(1).y.at(50), core.rows[51].rotd50);
    EXPECT_EQ(Number(lines[2 + 51].split(QLatin1Char(',')).value(5)), core.rows[51].rotd100);

    w->Button2->click();
    const QStringList copied = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(copied.value(0), lines[0]);
    EXPECT_EQ(copied.value(1), QString(lines[1]).replace(QLatin1Char(','), QLatin1Char('\t')));
    EXPECT_EQ(copied.size(), lines.size());
}

TEST_F(RotdWindowTest, RefusedChoicesAreToldAndPutBack) {
    const int n = 1200;
    Transfer(files.Write(QStringLiteral("pair.csv"),
                         StandardText({QStringLiteral("NS"), QStringLiteral("EW"), QStringLiteral("VEL")},
                                      {QStringLiteral("P"), QStringLiteral("P"), QStringLiteral("P")},
                                      {QStringLiteral("gal"), QStringLiteral("gal"), QStringLiteral("cm/s")},
                                      {Wave(n, 0.01, 30.0, 1.3, 4.0), Wave(n, 0.01, 18.0, 0.7, 2.5), Wave(n, 0.01, 3.0, 1.0)})),
             {1, 2, 3});
    Transfer(files.Write(QStringLiteral("short.csv"),
                         StandardText({QStringLiteral("X")}, {QStringLiteral("Q")}, {QStringLiteral("gal")}, {Wave(n / 2, 0.01, 5.0, 2.0)})),
             {1}, false);
    TSpectrum* w = OpenRotd();
    ASSERT_EQ(w->ComboBox4->count(), 4);
    ASSERT_EQ(w->Plot().curves.size(), 2u);
    const QImage drawn = w->MyGraph1->image().copy();
    const struct {
        QComboBox* box;
        int index;
        QString text;
    } refused[] = {{w->ComboBox4, 0, QStringLiteral("二つの成分には異なるチャンネルを選んでください")},
                   {w->ComboBox3, 2, QStringLiteral("加速度でないチャンネルの RotD は計算できません")},
                   {w->ComboBox4, 3, QStringLiteral("チャンネルのデータ数が一致しません")}};
    for (const auto& r : refused) {
        const int before = r.box->currentIndex();
        messages.clear();
        Choose(r.box, r.index);
        ASSERT_EQ(messages.size(), 1u) << r.text.toStdString();
        EXPECT_TRUE(messages[0].text.startsWith(r.text)) << messages[0].text.toStdString();
        EXPECT_EQ(r.box->currentIndex(), before) << r.text.toStdString();
        EXPECT_EQ(w->MyGraph1->image(), drawn);
        EXPECT_EQ(w->Plot().curves.size(), 2u);
    }

    // One damping: none is refused and the tick comes back.
    messages.clear();
    w->DampingBoxes[1]->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, WithIdeographicSpaces(QStringLiteral("減衰定数を選んでください"), 5));
    EXPECT_TRUE(w->DampingBoxes[1]->isChecked());

    // Two dampings ticked for response spectra: RotD cannot take them, the kind stays.
    w->RadioGroup1->button(0)->click();
    w->DampingBoxes[3]->click();
    messages.clear();
    w->RadioGroup1->button(kRotdKind)->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, WithIdeographicSpaces(QStringLiteral("RotD の減衰定数は一つだけ選んでください"), 5));
    EXPECT_EQ(w->RadioGroup1->itemIndex(), 0);
    EXPECT_TRUE(w->GroupBox3->isVisibleTo(w)) << "the controls as the response spectra were drawn";
    EXPECT_EQ(w->Plot().kind, SpectrumKind::Response);
}

// The core takes gal; a record in g is drawn and saved in g.
TEST_F(RotdWindowTest, ARecordInGIsShownInG) {
    TransferThreeComponents("g");
    TSpectrum* w = OpenRotd();
    EXPECT_TRUE(w->MyGraph1->TitleY.startsWith(QStringLiteral("pSa [g] "))) << w->MyGraph1->TitleY.toStdString();
    const auto gal = [this](int k) {
        std::vector<float> x;
        for (const float v : Samples(k)) x.push_back(static_cast<float>(v * 980.665));
        return x;
    };
    const tremvix::RotatedSpectrumResult core = tremvix::ComputeRotatedSpectrum(gal(2), gal(1), 100.0);
    ASSERT_EQ(w->Plot().curves.size(), 2u);
    const std::vector<double>& rotd100 = w->Plot().curves[0].y;
    ASSERT_EQ(rotd100.size() + 1, core.rows.size());
    for (std::size_t i = 0; i < rotd100.size(); ++i)
        ASSERT_NEAR(rotd100[i], core.rows[i + 1].rotd100 / 980.665, 1e-12 * core.rows[i + 1].rotd100) << i;
    EXPECT_TRUE(SavedLines(*w, QStringLiteral("ing")).value(0).contains(QStringLiteral("; unit=g; ")));
}
