// The spectrum window as a user meets it: refused choices put back, curves in their
// channels' colours, tones on a bin, ratios of one, the pseudo quantities from their
// definitions, records in g and at rates outside the menu, exports that say how they
// were made, and the pop-up's row.
#include "AnalysisTestSupport.h"

#include "core/analysis/FourierSpectrum.h"
#include "core/analysis/ResponseSpectrum.h"
#include "ui/analysis/SpectrumDrawing.h"
#include "ui/analysis/Uspectrum.h"
#include "ui/components/Mygraph.h"
#include "ui/display/GraphProcedure.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/StringGrid.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>

#include <numbers>


class SpectrumChoicesTest : public AnalysisTest {
protected:
    TSpectrum* OpenWindow() {
        Open->Spectrum1->trigger();
        return qobject_cast<TSpectrum*>(TopLevel(QStringLiteral("Spectrum")));
    }
    QRect Frame(const TSpectrum& w) const {
        const TMyGraph& g = *w.MyGraph1;
        return {g.OriginX + 2, g.OriginY - g.HeightY + 2, g.WidthX - 4, g.HeightY - 4};
    }
    void Check(TSpectrum& w, int row, bool on) {
        w.CheckListBox1->item(row)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    // The saved file's lines: LF only, the first one how the numbers were made.
    QStringList SavedLines(TSpectrum& w, const QString& name) {
        SaveAs(files.Path(name));
        w.Button4->click();
        const QByteArray bytes = FileBytes(files.Path(name + QStringLiteral(".csv")));
        EXPECT_FALSE(bytes.contains('\r'));
        return QString::fromUtf8(bytes).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    void TransferOneColumn(const QString& name, const char* unit, const std::vector<double>& samples) {
        Transfer(files.Write(name, StandardText({QStringLiteral("S")}, {QStringLiteral("P")}, {QString::fromLatin1(unit)}, {samples})),
                 {1});
    }
};

TEST_F(SpectrumChoicesTest, ARefusedDampingIsUntickedAgainAndTheLastDampingStaysTicked) {
    Transfer(ExampleFile("sample_standard.csv"), {1, 2, 3});
    TSpectrum* w = OpenWindow();
    w->DampingBoxes[0]->click();  // 2 and 5 %: six curves
    ASSERT_EQ(w->Plot().curves.size(), 6u);
    w->DampingBoxes[2]->click();  // a ninth curve
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_FALSE(w->DampingBoxes[2]->isChecked()) << "the refused tick is taken back";
    EXPECT_EQ(w->Plot().curves.size(), 6u);

    w->DampingBoxes[0]->click();  // 5 % alone
    ASSERT_EQ(w->Plot().curves.size(), 3u);
    w->DampingBoxes[1]->click();  // no damping at all
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text, WithIdeographicSpaces(QStringLiteral("減衰定数を選んでください"), 5));
    EXPECT_TRUE(w->DampingBoxes[1]->isChecked()) << "the last damping is ticked again";
    for (int i : {0, 2, 3}) EXPECT_FALSE(w->DampingBoxes[i]->isChecked()) << i;
    EXPECT_EQ(w->Plot().curves.size(), 3u);
}

// The ticks of the channel list are a state being set up: a channel that cannot be
// drawn with the others is told beside the graph, not in a box at every tick.
TEST_F(SpectrumChoicesTest, ARefusedChannelTickIsToldBesideTheGraphAndTakenBack) {
    const int n = 800;
    Transfer(files.Write(QStringLiteral("mixed.csv"),
                         StandardText({QStringLiteral("ACC"), QStringLiteral("VEL")}, {QStringLiteral("P"), QStringLiteral("P")},
                                      {QStringLiteral("gal"), QStringLiteral("cm/s")},
                                      {Wave(n, 0.01, 20.0, 2.0, 6.0), Wave(n, 0.01, 3.0, 1.0, 4.0)})),
             {1, 2});
    TSpectrum* w = OpenWindow();
    ASSERT_EQ(w->Plot().curves.size(), 1u);
    const QImage drawn = w->MyGraph1->image().copy();
    Check(*w, 1, true);  // a velocity for a response spectrum
    EXPECT_TRUE(messages.empty()) << "no message box";
    EXPECT_EQ(w->Label2->text(), QStringLiteral("加速度でないチャンネルの応答スペクトルは計算できません"));
    EXPECT_EQ(w->CheckListBox1->item(1)->checkState(), Qt::Unchecked);
    EXPECT_EQ(w->MyGraph1->image(), drawn);

    w->RadioGroup1->button(1)->click();  // Fourier of the acceleration
    Check(*w, 1, true);                  // gal and cm/s on one axis
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(w->Label2->text(), QStringLiteral("単位の異なるチャンネルは重ねて描けません"));
    EXPECT_EQ(w->CheckListBox1->item(1)->checkState(), Qt::Unchecked);
    EXPECT_EQ(w->Plot().curves.size(), 1u);
}

// Channel 3 alone is drawn in channel 3's colour, not in the first curve's; the sixth
// trace colour, yellow, is drawn olive on the white ground.
TEST_F(SpectrumChoicesTest, ACurveKeepsItsChannelsColourAndNoneIsYellow) {
    Transfer(files.Write(QStringLiteral("six.csv"), DataFiles::Standard(6, 600)), {1, 2, 3, 4, 5, 6});
    TSpectrum* w = OpenWindow();
    ASSERT_EQ(w->CheckListBox1->count(), 6);
    w->RadioGroup1->button(1)->click();  // Fourier spectra: every channel has one
    for (int i = 0; i < 6; ++i) Check(*w, i, false);
    Check(*w, 2, true);
    ASSERT_EQ(w->Plot().curves.size(), 1u);
    const QRect frame = Frame(*w);
    EXPECT_GT(PixelsOf(w->MyGraph1->image(), kTraceColours[2], frame), 50);
    EXPECT_EQ(PixelsOf(w->MyGraph1->image(), kTraceColours[0], frame), 0);

    Check(*w, 0, true);
    ASSERT_EQ(w->Plot().curves.size(), 2u);
    EXPECT_GT(PixelsOf(w->MyGraph1->image(), kTraceColours[2], frame), 50) << "still channel 3's colour";

    Check(*w, 5, true);
    ASSERT_EQ(w->Plot().curves.size(), 3u);
    const QImage& image = w->MyGraph1->image();
    int yellow = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            yellow += c.red() > 200 && c.green() > 200 && c.blue() < 100;
        }
    EXPECT_EQ(yellow, 0);
    EXPECT_GT(PixelsOf(image, ChannelColour(5), frame), 50);
}

// 64 samples of a cosine on bin 16 (a quarter of the rate): every other amplitude is
// 0, yet the curve runs from both neighbouring bins up to its peak, not its mark alone.
TEST_F(SpectrumChoicesTest, APureToneOnABinIsDrawnOnBothSidesOfItsPeak) {
    const int n = 64;
    std::vector<double> tone(n);
    for (int i = 0; i < n; ++i) tone[i] = (i % 4 == 0) ? 10.0 : (i % 4 == 2) ? -10.0 : 0.0;
    TransferOneColumn(QStringLiteral("tone.csv"), "gal", tone);
    TSpectrum* w = OpenWindow();
    w->RadioGroup1->button(1)->click();
    ASSERT_EQ(w->Plot().curves.size(), 1u);
    const SpectrumCurve& curve = w->Plot().curves[0];
    ASSERT_TRUE(curve.peakX.has_value());
    EXPECT_NEAR(*curve.peakX, 25.0, 1e-12);
    EXPECT_NEAR(curve.peakY, 10.0 * n / 2 * 0.01, 1e-9) << "A N dt / 2";
    EXPECT_EQ(std::count(curve.y.begin(), curve.y.end(), 0.0), static_cast<long>(curve.y.size()) - 1);

    // Between the peak's column and its neighbours' (25 -+ 1.5625 Hz), below the peak's mark.
    const TMyGraph& g = *w->MyGraph1;
    const int peak = *g.PixelX(25.0f);
    const int below = *g.PixelY(static_cast<float>(curve.peakY)) + 8;
    const int lower = *g.PixelX(25.0f - 1.5625f);
    const int upper = *g.PixelX(25.0f + 1.5625f);
    ASSERT_LT(lower, peak - 2);
    ASSERT_GT(upper, peak + 2);
    const int bottom = Frame(*w).bottom();
    const QRect left(lower, below, peak - 1 - lower, bottom - below);
    const QRect right(peak + 2, below, upper - peak - 2, bottom - below);
    EXPECT_GT(PixelsOf(g.image(), kTraceColours[0], left), (bottom - below) / 2);
    EXPECT_GT(PixelsOf(g.image(), kTraceColours[0], right), (bottom - below) / 2);
}

// The ratio of a channel to itself is 1 at every frequency: a line across the middle
// of the frame, not along its edge.
TEST_F(SpectrumChoicesTest, ARatioOfExactlyOneIsDrawnInsideTheFrame) {
    Transfer(ExampleFile("sample_standard.csv"), {1, 2, 3});
    TSpectrum* w = OpenWindow();
    w->RadioGroup1->button(2)->click();
    w->ComboBox2->setCurrentIndex(0);
    emit w->ComboBox2->activated(0);
    ASSERT_EQ(w->Plot().curves.size(), 1u);
    const std::vector<double>& y = w->Plot().curves[0].y;
    ASSERT_GT(std::count(y.begin(), y.end(), 1.0), 100);
    const LogBox box = AxesOf(w->Plot());
    EXPECT_LT(box.y.first, 0);
    EXPECT_GT(box.y.first + box.y.count, 0);
    EXPECT_GT(PixelsOf(w->MyGraph1->image(), kTraceColours[0], Frame(*w)), 200);
}

// pSv = ω Sd and pSa = ω² Sd with ω = 2π/T; the drawn curve and its title, not only the CSV.
TEST_F(SpectrumChoicesTest, ThePseudoQuantitiesAreDrawnAsTheirDefinitionsGiveThem) {
    Transfer(ExampleFile("sample_standard.csv"), {1});
    TSpectrum* w = OpenWindow();
    const tremvix::ResponseSpectrumResult core = tremvix::ComputeResponseSpectrum(Samples(0), 0.01);
    const auto& values = core.spectra.at(0).values;
    const struct {
        int button;
        const char* title;
        int power;
    } quantities[] = {{4, "pSa [gal]", 2}, {3, "pSv [cm/s]", 1}};
    for (const auto& q : quantities) {
        w->RadioGroup2->button(q.button)->click();
        EXPECT_EQ(w->MyGraph1->TitleY, QString::fromLatin1(q.title));
        const std::vector<double>& y = w->Plot().curves.at(0).y;
        ASSERT_EQ(y.size(), values.size());
        int apartFromSa = 0;
        for (std::size_t i = 0; i < y.size(); ++i) {
            const double omega = 2.0 * std::numbers::pi / values[i].period;
            const double expected = std::pow(omega, q.power) * values[i].sd;
            ASSERT_NEAR(y[i], expected, 1e-6 * expected) << q.title << " T " << values[i].period;
            apartFromSa += std::abs(values[i].sa - expected) > 1e-3 * expected;
        }
        if (q.power == 2) {
            EXPECT_GT(apartFromSa, 10) << "the damped Sa differs from pSa";
        }
    }
}

// Displacements of a record in g are shown in cm, velocities in cm/s: 980.665 cm/s² per g.
TEST_F(SpectrumChoicesTest, ADisplacementSpectrumOfARecordInGIsInCentimetres) {
    TransferOneColumn(QStringLiteral("ing.csv"), "g", Wave(1000, 0.01, 0.05, 1.5, 3.0));
    TSpectrum* w = OpenWindow();
    w->RadioGroup2->button(2)->click();  // Sd
    EXPECT_EQ(w->MyGraph1->TitleY, QStringLiteral("Sd [cm]"));
    std::vector<float> gal;
    for (const float v : Samples(0)) gal.push_back(static_cast<float>(v * 980.665));
    const tremvix::ResponseSpectrumResult inGal = tremvix::ComputeResponseSpectrum(gal, 0.01);
    const std::vector<double>& y = w->Plot().curves.at(0).y;
    ASSERT_EQ(y.size(), inGal.spectra[0].values.size());
    for (std::size_t i = 0; i < y.size(); ++i) ASSERT_NEAR(y[i], inGal.spectra[0].values[i].sd, 1e-5 * y[i]) << i;
    w->RadioGroup2->button(0)->click();  // Sa stays in the record's unit
    EXPECT_EQ(w->MyGraph1->TitleY, QStringLiteral("Sa [g]"));
}

// DT = 0.003 s is 333.333... samples per second: the analysis at that rate, as the
// command line gives it, and the rate whole in the main window's group title.
TEST_F(SpectrumChoicesTest, ARecordAtARateOutsideTheMenuIsAnalysedAtItsExactRate) {
    Transfer(files.Write(QStringLiteral("RSN1_TEST_T090.AT2"), At2Text(Wave(2000, 0.003, 0.1, 4.0, 9.0), ".0030")), {1});
    ASSERT_TRUE(messages.empty());
    const QString title = Open->RadioGroup1->title();
    EXPECT_TRUE(title.contains(QStringLiteral("333.333Hz"))) << title.toStdString();
    EXPECT_LE(Open->RadioGroup1->fontMetrics().horizontalAdvance(title) + 16, Open->RadioGroup1->width());
    EXPECT_TRUE(Open->RadioGroup1->toolTip().contains(QStringLiteral("サンプリング率（333.333Hz）")));

    TSpectrum* w = OpenWindow();
    const double rate = 1.0 / 0.003;
    const tremvix::ResponseSpectrumResult core = tremvix::ComputeResponseSpectrum(Samples(0), 1.0 / rate);
    std::vector<double> sa;
    for (const tremvix::SpectrumValues& v : core.spectra[0].values) sa.push_back(v.sa);
    EXPECT_EQ(w->Plot().curves.at(0).y, sa);
    w->RadioGroup1->button(1)->click();
    const tremvix::FourierSpectrum fourier = tremvix::ComputeFourierSpectrum(Samples(0), 1.0 / rate);
    EXPECT_EQ(w->Plot().curves.at(0).x, fourier.frequencies);
    EXPECT_EQ(w->Plot().curves.at(0).y, fourier.amplitudes);
    EXPECT_TRUE(SavedLines(*w, QStringLiteral("at2")).value(0).endsWith(QStringLiteral("; rate_hz=333.3333333333333")));
}

TEST_F(SpectrumChoicesTest, EveryCsvBeginsWithTheSettingsItWasMadeWith) {
    Transfer(ExampleFile("sample_standard.csv"), {1});
    TSpectrum* w = OpenWindow();
    w->DampingBoxes[0]->click();
    QStringList lines = SavedLines(*w, QStringLiteral("response"));
    ASSERT_GT(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("# response spectrum; filter=none; drawn=Sa; damping=0.02 0.05; smoothing=none; "
                                       "mean_removed=no; rate_hz=100"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("period_s,")));

    w->RadioGroup1->button(1)->click();
    w->CBMean->click();
    w->CBTaper->click();
    w->RadioGroup3->button(2)->click();
    lines = SavedLines(*w, QStringLiteral("fourier"));
    EXPECT_EQ(lines.value(0), QStringLiteral("# Fourier spectrum; filter=none; smoothing=Parzen 0.2 Hz; mean_removed=yes; "
                                             "taper=0.05; padded_to_power_of_two=no; rate_hz=100"));
    EXPECT_TRUE(lines.value(1).startsWith(QStringLiteral("frequency_hz,")));

    // The copy: the picture, and the same table as text with tabs.
    w->Button2->click();
    const QStringList copied = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(copied.value(0), lines.value(0));
    EXPECT_EQ(copied.value(1), lines.value(1).replace(QLatin1Char(','), QLatin1Char('\t')));
    EXPECT_EQ(copied.size(), lines.size());
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
              w->MyGraph1->image().convertToFormat(QImage::Format_RGB32));
    EXPECT_TRUE(messages.empty());
}

TEST_F(SpectrumChoicesTest, WithNothingDrawnNothingCanBeCopiedOrSaved) {
    TSpectrum* w = OpenWindow();
    ASSERT_TRUE(w->Plot().curves.empty());
    for (QPushButton* button : {w->Button2, w->Button3, w->Button4}) EXPECT_FALSE(button->isEnabled()) << button->text().toStdString();
    SaveAs(files.Path(QStringLiteral("empty")));
    w->Button4Click();
    EXPECT_FALSE(QFile::exists(files.Path(QStringLiteral("empty.csv"))));
    Transfer(ExampleFile("sample_standard.csv"), {1});
    for (QPushButton* button : {w->Button2, w->Button3, w->Button4}) EXPECT_TRUE(button->isEnabled()) << button->text().toStdString();
}

// The pop-up's "スペクトル" takes the right-clicked row, not the current one, and moves
// neither the current row nor the ● marks.
TEST_F(SpectrumChoicesTest, ThePopupsSpectrumTakesTheRightClickedRow) {
    Transfer(ExampleFile("sample_standard.csv"), {1, 2, 3});
    Open->StringGrid1->setCurrentCell(2, 1);
    QStringList marks;
    for (int r = 1; r <= 3; ++r) marks << Open->StringGrid1->cell(5, r);
    const QRect third = Open->StringGrid1->visualRect(Open->StringGrid1->model()->index(2, 1));
    emit Open->StringGrid1->customContextMenuRequested(third.center());
    Open->PopupMenu1->hide();
    Open->Spectrum2->trigger();
    auto* w = qobject_cast<TSpectrum*>(TopLevel(QStringLiteral("Spectrum")));
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->Plot().curves.size(), 1u);
    EXPECT_EQ(w->Plot().curves[0].name, QStringLiteral("3: ACC-UD h=5%"));
    EXPECT_EQ(Open->StringGrid1->row(), 1);
    for (int r = 1; r <= 3; ++r) EXPECT_EQ(Open->StringGrid1->cell(5, r), marks[r - 1]) << r;
    Open->Velocity->trigger();  // the other items keep to the current row
    EXPECT_EQ(Open->StringGrid1->cell(4, 1), "V");
    EXPECT_EQ(Open->StringGrid1->cell(4, 3), "A");
}
