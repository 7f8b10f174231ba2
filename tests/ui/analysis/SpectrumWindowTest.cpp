// The spectrum window: opened from the menus, every kind drawn from the loaded
// channels, its peaks, readout and exports checked against the core and, for the
// Fourier amplitude of a sine, against its closed form.
#include "AnalysisTestSupport.h"

#include "core/analysis/FourierSpectrum.h"
#include "core/analysis/ParzenSmoothing.h"
#include "core/analysis/ResponseSpectrum.h"
#include "core/analysis/SpectralRatio.h"
#include "core/export/PngEncoder.h"
#include "ui/analysis/Uspectrum.h"
#include "ui/components/Mygraph.h"
#include "ui/display/GraphProcedure.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/StringGrid.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

const QString kSelection = QStringLiteral("選択エラー");

QString C(const char* format, double v) { return QString::asprintf(format, v); }

}  // namespace

class SpectrumWindowTest : public AnalysisTest {
protected:
    TSpectrum* OpenWindow() {
        Open->Spectrum1->trigger();
        return qobject_cast<TSpectrum*>(TopLevel(QStringLiteral("Spectrum")));
    }
    TSpectrum* OpenWithSample() {
        Transfer(ExampleFile("sample_standard.csv"), {1, 2, 3});
        return OpenWindow();
    }
    QRect Frame(const TSpectrum& w) const {
        const TMyGraph& g = *w.MyGraph1;
        return {g.OriginX + 2, g.OriginY - g.HeightY + 2, g.WidthX - 4, g.HeightY - 4};
    }
    void Check(TSpectrum& w, int row, bool on) {
        w.CheckListBox1->item(row)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    std::vector<QStringList> SavedCsv(TSpectrum& w, const QString& name) {
        SaveAs(files.Path(name));
        w.Button4->click();
        const QByteArray bytes = FileBytes(files.Path(name + QStringLiteral(".csv")));
        EXPECT_TRUE(bytes.endsWith("\n"));
        EXPECT_FALSE(bytes.contains('\r')) << "every line ends in LF";
        std::vector<QStringList> rows = Rows(QString::fromUtf8(bytes), QStringLiteral("\n"), QLatin1Char(','));
        EXPECT_TRUE(!rows.empty() && rows.front().size() == 1 && rows.front()[0].startsWith(QStringLiteral("# ")))
            << "the settings first";
        if (!rows.empty()) rows.erase(rows.begin());
        return rows;
    }
};

TEST_F(SpectrumWindowTest, TheAnalysisMenuStandsBeforeHelpAndEachWindowIsMadeOnce) {
    QStringList menus;
    for (QAction* action : Open->menuBar()->actions())
        if (action->menu()) menus << action->menu()->objectName();
    const int analysis = static_cast<int>(menus.indexOf(QStringLiteral("Analysis1")));
    ASSERT_GE(analysis, 0);
    EXPECT_EQ(menus.value(analysis + 1), QStringLiteral("Help1"));
    EXPECT_EQ(Open->Spectrum1->text(), QStringLiteral("スペクトル"));
    EXPECT_EQ(Open->Indices1->text(), QStringLiteral("最大値・震度"));
    const QList<QAction*> popup = Open->PopupMenu1->actions();
    EXPECT_EQ(popup.last(), Open->Spectrum2);
    EXPECT_LT(popup.indexOf(Open->cm1), popup.indexOf(Open->Spectrum2));

    EXPECT_EQ(TopLevel(QStringLiteral("Spectrum")), nullptr) << "made on first use";
    for (QAction* item : {Open->Spectrum1, Open->Indices1}) {
        item->trigger();
        item->trigger();
    }
    int spectra = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) spectra += w->objectName() == QStringLiteral("Spectrum");
    EXPECT_EQ(spectra, 1);
    QWidget* spectrum = TopLevel(QStringLiteral("Spectrum"));
    QWidget* indices = TopLevel(QStringLiteral("Indices"));
    ASSERT_TRUE(spectrum && indices);
    EXPECT_TRUE(spectrum->isVisible() && indices->isVisible());
    EXPECT_EQ(spectrum->windowTitle(), QStringLiteral("スペクトル解析"));
    EXPECT_EQ(indices->windowTitle(), QStringLiteral("最大値・震度"));
    EXPECT_EQ(spectrum->parentWidget(), Open);
    DestroyForms();
    EXPECT_EQ(TopLevel(QStringLiteral("Spectrum")), nullptr) << "gone with the main window";
    EXPECT_EQ(TopLevel(QStringLiteral("Indices")), nullptr);
}

TEST_F(SpectrumWindowTest, ResponseSpectraOfTheMarkedChannelsAreDrawnInTraceColoursWithTheirPeaks) {
    TSpectrum* w = OpenWithSample();
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->Plot().curves.size(), 3u);
    EXPECT_EQ(w->MyGraph1->TitleX, QStringLiteral("周期 [s]"));
    EXPECT_EQ(w->MyGraph1->TitleY, QStringLiteral("Sa [gal]"));
    const QStringList peaks = w->Label1->text().split(QLatin1Char('\n'));
    ASSERT_EQ(peaks.size(), 3);
    for (int k = 0; k < 3; ++k) {
        EXPECT_GT(PixelsOf(w->MyGraph1->image(), kTraceColours[k], Frame(*w)), 100) << "channel " << k;
        const tremvix::ResponseSpectrumResult core = tremvix::ComputeResponseSpectrum(Samples(k), 0.01);
        const auto& values = core.spectra.at(0).values;
        const auto peak = std::max_element(values.begin(), values.end(),
                                           [](const auto& a, const auto& b) { return a.sa < b.sa; });
        EXPECT_EQ(w->Plot().curves[k].peakY, peak->sa);
        EXPECT_TRUE(peaks[k].startsWith(QStringLiteral("%1: ").arg(k + 1)));
        EXPECT_TRUE(peaks[k].endsWith(QStringLiteral("Sa %1 gal (T = %2 s)").arg(C("%.4g", peak->sa), C("%.3f", peak->period))))
            << peaks[k].toStdString();
    }
}

TEST_F(SpectrumWindowTest, EveryResponseValueOfEveryDampingIsSavedAsTheCoreComputesIt) {
    TSpectrum* w = OpenWithSample();
    w->DampingBoxes[0]->click();          // 2 % with the 5 % already ticked
    w->RadioGroup2->button(2)->click();   // Sd
    ASSERT_EQ(w->Plot().curves.size(), 6u) << "redrawn at once";
    EXPECT_EQ(w->MyGraph1->TitleY, QStringLiteral("Sd [cm]"));
    const std::vector<QStringList> rows = SavedCsv(*w, QStringLiteral("response"));
    ASSERT_EQ(rows.size(), 201u);
    ASSERT_EQ(rows[0].size(), 1 + 3 * 2 * 5);
    EXPECT_EQ(rows[0][0], QStringLiteral("period_s"));
    EXPECT_EQ(rows[0][1], QStringLiteral("1: ACC-NS h=2% sd [cm]"));
    EXPECT_EQ(rows[0][5], QStringLiteral("1: ACC-NS h=2% psa [gal]"));
    EXPECT_EQ(rows[0][7], QStringLiteral("1: ACC-NS h=5% sv [cm/s]"));
    tremvix::ResponseSpectrumOptions options;
    options.dampings = {0.02, 0.05};
    for (int k = 0; k < 3; ++k) {
        const tremvix::ResponseSpectrumResult core = tremvix::ComputeResponseSpectrum(Samples(k), 0.01, options);
        for (int d = 0; d < 2; ++d) {
            for (std::size_t i = 0; i < core.periods.size(); ++i) {
                const tremvix::SpectrumValues& v = core.spectra[d].values[i];
                const QStringList& row = rows[i + 1];
                const int c = 1 + (k * 2 + d) * 5;
                ASSERT_EQ(Number(row[0]), core.periods[i]);
                ASSERT_EQ(Number(row[c]), v.sd);
                ASSERT_EQ(Number(row[c + 1]), v.sv);
                ASSERT_EQ(Number(row[c + 2]), v.sa);
                ASSERT_EQ(Number(row[c + 3]), v.psv);
                ASSERT_EQ(Number(row[c + 4]), v.psa);
            }
        }
    }
}

// A sine of amplitude A on bin k of N samples has the amplitude dt |sum| = A N dt / 2 there.
TEST_F(SpectrumWindowTest, FourierAmplitudeOfASineIsANdtOverTwoAtItsBin) {
    const int n = 1000;
    const double a = 50.0;
    Transfer(files.Write(QStringLiteral("sine.csv"),
                         StandardText({QStringLiteral("S")}, {QStringLiteral("P")}, {QStringLiteral("gal")}, {Wave(n, 0.01, a, 5.0)})),
             {1});
    TSpectrum* w = OpenWindow();
    w->RadioGroup1->button(1)->click();
    ASSERT_EQ(w->Plot().curves.size(), 1u);
    EXPECT_EQ(w->MyGraph1->TitleX, QStringLiteral("振動数 [Hz]"));
    EXPECT_EQ(w->MyGraph1->TitleY, QStringLiteral("フーリエ振幅 [gal·s]"));
    EXPECT_GT(PixelsOf(w->MyGraph1->image(), kTraceColours[0], Frame(*w)), 100);
    EXPECT_TRUE(w->Label1->text().endsWith(QStringLiteral("(f = 5.000 Hz)"))) << w->Label1->text().toStdString();

    const std::vector<QStringList> rows = SavedCsv(*w, QStringLiteral("sine"));
    ASSERT_EQ(rows.size(), 1u + n / 2 + 1);
    EXPECT_EQ(rows[0], QStringList({QStringLiteral("frequency_hz"), QStringLiteral("1: S amplitude [gal·s]")}));
    EXPECT_NEAR(Number(rows[1 + 50][0]), 5.0, 1e-12);
    EXPECT_NEAR(Number(rows[1 + 50][1]), a * n * 0.01 / 2.0, 1e-5 * a * n * 0.01);
    EXPECT_LT(Number(rows[1 + 200][1]), 1e-3);
    const tremvix::FourierSpectrum core = tremvix::ComputeFourierSpectrum(Samples(0), 0.01);
    for (std::size_t i = 0; i < core.amplitudes.size(); ++i) ASSERT_EQ(Number(rows[i + 1][1]), core.amplitudes[i]);
}

TEST_F(SpectrumWindowTest, TheTicksAndTheSmoothingReachTheFourierSpectrum) {
    Transfer(ExampleFile("sample_standard.csv"), {1, 2, 3});
    TSpectrum* w = OpenWindow();
    w->RadioGroup1->button(1)->click();
    w->CBTaper->click();
    w->CBMean->click();
    w->RadioGroup3->button(2)->click();  // 0.2 Hz
    const std::vector<QStringList> rows = SavedCsv(*w, QStringLiteral("smoothed"));
    EXPECT_EQ(rows[0][2], QStringLiteral("2: ACC-EW amplitude [gal·s] (Parzen 0.2 Hz)"));
    tremvix::FourierOptions options;
    options.removeMean = true;
    options.taperFraction = 0.05;
    const tremvix::FourierSpectrum raw = tremvix::ComputeFourierSpectrum(Samples(1), 0.01, options);
    const tremvix::SmoothedSpectrum core = tremvix::SmoothParzen(raw.amplitudes, raw.frequencyStep, 0.2);
    ASSERT_EQ(rows.size(), core.amplitudes.size() + 1);
    for (std::size_t i = 0; i < core.amplitudes.size(); ++i) ASSERT_EQ(Number(rows[i + 1][2]), core.amplitudes[i]);
}

TEST_F(SpectrumWindowTest, SpectralRatioOfTheNamedComponentsWithItsPeakInTheBand) {
    TSpectrum* w = OpenWithSample();
    w->RadioGroup1->button(2)->click();
    EXPECT_EQ(w->RadioGroup3->itemIndex(), 3) << "ratios are smoothed over 0.4 Hz unless told otherwise";
    EXPECT_EQ(w->ComboBox1->currentText(), QStringLiteral("1: ACC-NS"));
    EXPECT_EQ(w->ComboBox2->currentText(), QStringLiteral("3: ACC-UD"));
    const auto core = [this](double low, double high) {
        tremvix::SpectralRatioOptions options;
        options.bandLow = low;
        options.bandHigh = high;
        return tremvix::ComputeSpectralRatio(Samples(2), Samples(0), 0.01, options);
    };
    ASSERT_EQ(w->Plot().curves.size(), 1u);
    const tremvix::SpectralRatio wide = core(0.1, 20.0);
    EXPECT_EQ(w->Plot().curves[0].name, QStringLiteral("1: ACC-NS / 3: ACC-UD"));
    EXPECT_EQ(w->Plot().curves[0].y, wide.ratios);
    EXPECT_EQ(*w->Plot().curves[0].peakX, wide.peakFrequency);
    EXPECT_EQ(w->Label1->text(), QStringLiteral("1: ACC-NS / 3: ACC-UD: 最大 %1 (f = %2 Hz)")
                                     .arg(C("%.4g", wide.peakRatio), C("%.3f", wide.peakFrequency)));
    EXPECT_GT(PixelsOf(w->MyGraph1->image(), kTraceColours[0], Frame(*w)), 100);

    w->Edit1->setText(QStringLiteral("5"));
    w->Button1->click();
    const tremvix::SpectralRatio high = core(5.0, 20.0);
    ASSERT_NE(high.peakFrequency, wide.peakFrequency);
    EXPECT_EQ(*w->Plot().curves[0].peakX, high.peakFrequency);
    EXPECT_TRUE(messages.empty());
}

TEST_F(SpectrumWindowTest, ABadPeakBandIsRefusedAndTheRatioDrawnStays) {
    TSpectrum* w = OpenWithSample();
    w->RadioGroup1->button(2)->click();
    const QImage before = w->MyGraph1->image().copy();
    const double peak = *w->Plot().curves.at(0).peakX;
    w->Edit1->setText(QStringLiteral("30"));  // above the high end
    w->Button1->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, WithIdeographicSpaces(QStringLiteral("振動数の範囲が正しくありません"), 5));
    EXPECT_EQ(messages[0].caption, kSelection);
    w->Edit1->setText(QStringLiteral("abc"));
    w->Button1->click();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text, QStringLiteral("'abc' は浮動小数点数ではありません"));
    EXPECT_EQ(w->MyGraph1->image(), before);
    EXPECT_EQ(*w->Plot().curves.at(0).peakX, peak);
}

TEST_F(SpectrumWindowTest, ChoicesThatCannotBeDrawnAreRefusedAndChangeNothing) {
    const int n = 800;
    Transfer(files.Write(QStringLiteral("mixed.csv"),
                         StandardText({QStringLiteral("ACC"), QStringLiteral("VEL")}, {QStringLiteral("P"), QStringLiteral("P")},
                                      {QStringLiteral("gal"), QStringLiteral("cm/s")},
                                      {Wave(n, 0.01, 20.0, 2.0, 6.0), Wave(n, 0.01, 3.0, 1.0, 4.0)})),
             {1, 2});
    TSpectrum* w = OpenWindow();
    ASSERT_EQ(w->Plot().curves.size(), 1u) << "the marked acceleration alone to begin with";
    const QImage drawn = w->MyGraph1->image().copy();

    Check(*w, 0, false);
    Check(*w, 1, true);  // the velocity alone, for a response spectrum
    ASSERT_EQ(messages.size(), 0u) << "a tick is told beside the graph";
    EXPECT_EQ(w->Label2->text(), QStringLiteral("加速度でないチャンネルの応答スペクトルは計算できません"));
    EXPECT_EQ(w->CheckListBox1->item(1)->checkState(), Qt::Unchecked);

    Check(*w, 0, true);
    w->RadioGroup1->button(1)->click();  // Fourier of the acceleration
    EXPECT_EQ(w->Plot().curves.size(), 1u);
    {
        // Both ticked unheard, then a response spectrum asked for: refused with a message, all put back.
        const QSignalBlocker quiet(w->CheckListBox1);
        w->CheckListBox1->item(1)->setCheckState(Qt::Checked);
    }
    const QImage fourier = w->MyGraph1->image().copy();
    w->RadioGroup1->button(0)->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, WithIdeographicSpaces(QStringLiteral("加速度でないチャンネルの応答スペクトルは計算できません"), 5));
    EXPECT_EQ(messages[0].caption, kSelection);
    EXPECT_EQ(messages[0].flags, Dialogs::kOkExclamation);
    EXPECT_EQ(w->RadioGroup1->itemIndex(), 1) << "the refused kind is put back";
    EXPECT_EQ(w->CheckListBox1->item(1)->checkState(), Qt::Unchecked) << "as the picture was drawn";
    EXPECT_EQ(w->MyGraph1->image(), fourier);
    EXPECT_NE(fourier, drawn);

    Check(*w, 0, false);
    Check(*w, 1, true);  // the velocity alone: its Fourier spectrum in cm/s·s
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(w->MyGraph1->TitleY, QStringLiteral("フーリエ振幅 [cm/s·s]"));
    EXPECT_EQ(w->Plot().curves.at(0).name, QStringLiteral("2: VEL"));
}

TEST_F(SpectrumWindowTest, DampingsAreNeededAndAtMostEightCurvesAreDrawn) {
    TSpectrum* w = OpenWithSample();
    w->DampingBoxes[0]->click();  // 2 and 5 %: six curves
    ASSERT_EQ(w->Plot().curves.size(), 6u);
    w->DampingBoxes[2]->click();  // nine would not fit the colours
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, WithIdeographicSpaces(QStringLiteral("一度に描ける曲線は8本までです"), 5));
    EXPECT_EQ(w->Plot().curves.size(), 6u);
    for (QCheckBox* box : w->DampingBoxes)
        if (box->isChecked()) box->click();
    EXPECT_EQ(messages.back().text, WithIdeographicSpaces(QStringLiteral("減衰定数を選んでください"), 5));
    EXPECT_FALSE(w->Plot().curves.empty());
}

TEST_F(SpectrumWindowTest, ThePopupItemOpensTheWindowWithTheCurrentRowsChannelAlone) {
    Transfer(ExampleFile("sample_standard.csv"), {1, 2, 3});
    Open->StringGrid1->setCurrentCell(2, 2);
    Open->Spectrum2->trigger();
    auto* w = qobject_cast<TSpectrum*>(TopLevel(QStringLiteral("Spectrum")));
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    for (int i = 0; i < 3; ++i) EXPECT_EQ(w->CheckListBox1->item(i)->checkState() == Qt::Checked, i == 1) << i;
    ASSERT_EQ(w->Plot().curves.size(), 1u);
    EXPECT_EQ(w->Plot().curves[0].name, QStringLiteral("2: ACC-EW h=5%"));
    EXPECT_EQ(w->ComboBox1->currentText(), QStringLiteral("2: ACC-EW"));
    Open->StringGrid1->setCurrentCell(2, 3);
    Open->Spectrum2->trigger();
    EXPECT_EQ(w->Plot().curves.at(0).name, QStringLiteral("3: ACC-UD h=5%"));
    EXPECT_TRUE(messages.empty());
}

TEST_F(SpectrumWindowTest, TheReadoutGivesEachCurvesValueAtThePointersPeriod) {
    TSpectrum* w = OpenWithSample();
    TMyGraph* graph = w->MyGraph1;
    const SpectrumCurve& curve = w->Plot().curves.at(1);
    const int px = *graph->PixelX(static_cast<float>(*curve.peakX)) + 3;
    const auto move = [graph](int x, int y) {
        QMouseEvent event(QEvent::MouseMove, QPointF(x, y), graph->mapToGlobal(QPointF(x, y)), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(graph, &event);
    };
    move(px, graph->OriginY - 20);
    const QStringList lines = w->Label2->text().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4);
    ASSERT_TRUE(lines[0].startsWith(QStringLiteral("T = ")));
    const double period = Number(lines[0].mid(4).section(QLatin1Char(' '), 0, 0));
    EXPECT_NEAR(*graph->PixelX(static_cast<float>(period)), px, 1.5) << "the period under the pointer";
    const auto upper = std::lower_bound(curve.x.begin(), curve.x.end(), period);
    ASSERT_TRUE(upper != curve.x.begin() && upper != curve.x.end());
    const std::size_t j = upper - curve.x.begin();
    const double shown = Number(lines[2].section(QStringLiteral("Sa "), 1).section(QLatin1Char(' '), 0, 0));
    EXPECT_TRUE(lines[2].startsWith(curve.name));
    EXPECT_GE(shown, std::min(curve.y[j - 1], curve.y[j]) * 0.9999);
    EXPECT_LE(shown, std::max(curve.y[j - 1], curve.y[j]) * 1.0001);

    move(graph->OriginX - 20, graph->OriginY - 20);  // left of the frame
    EXPECT_TRUE(w->Label2->text().isEmpty());
}

TEST_F(SpectrumWindowTest, TheGraphIsSavedAsPngOnlyAfterAskingAboutAnExistingFile) {
    TSpectrum* w = OpenWithSample();
    const QString target = files.Write(QStringLiteral("graph.png"), "old");
    SaveAs(target);
    answer = Dialogs::kCancel;
    w->Button3->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, QStringLiteral("名前を付けて保存"));
    EXPECT_EQ(FileBytes(target), QByteArray("old"));
    answer = Dialogs::kOk;
    SaveAs(files.Path(QStringLiteral("graph")));  // the extension is added, the same file asked about
    w->Button3->click();
    ASSERT_EQ(messages.size(), 2u);
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;
    ASSERT_TRUE(tremvix::DecodePngFile(target.toStdString(), width, height, rgb));
    const QImage saved(rgb.data(), width, height, width * 3, QImage::Format_RGB888);
    EXPECT_EQ(saved, w->MyGraph1->image().convertToFormat(QImage::Format_RGB888));
}

TEST_F(SpectrumWindowTest, NewDataAndANewRateAreFollowedWithoutAnyClick) {
    TSpectrum* w = OpenWithSample();
    ASSERT_EQ(w->CheckListBox1->count(), 3);
    Open->RadioGroup1->button(4)->click();  // 200 samples per second
    messages.clear();
    QCoreApplication::processEvents();
    const tremvix::ResponseSpectrumResult faster = tremvix::ComputeResponseSpectrum(Samples(0), 1.0 / 200);
    std::vector<double> sa;
    for (const tremvix::SpectrumValues& v : faster.spectra[0].values) sa.push_back(v.sa);
    EXPECT_EQ(w->Plot().curves.at(0).y, sa);

    Transfer(files.Write(QStringLiteral("two.csv"), DataFiles::Standard(2, 500)), {1, 2});
    ASSERT_EQ(w->CheckListBox1->count(), 2);
    EXPECT_EQ(w->CheckListBox1->item(0)->text(), QStringLiteral("1: CH1  P1  [gal]"));
    ASSERT_EQ(w->Plot().curves.size(), 2u);
    EXPECT_EQ(w->Plot().curves[1].name, QStringLiteral("2: CH2 h=5%"));

    Open->CheckBox1->setChecked(false);
    Open->Button3->click();  // clear all data
    QCoreApplication::processEvents();
    EXPECT_EQ(w->CheckListBox1->count(), 0);
    EXPECT_TRUE(w->Plot().curves.empty());
    EXPECT_EQ(w->Label1->text(), QStringLiteral("チャンネルを選んでください"));
    EXPECT_TRUE(messages.empty());
}
