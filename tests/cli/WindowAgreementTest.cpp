// The command line and the analysis windows give the same numbers for the same
// record: the window's CSV export against the command's output, value for value.
#include "CliTestSupport.h"
#include "DataFiles.h"
#include "DataSetDriver.h"
#include "UiTestSupport.h"

#include "ui/analysis/Uindices.h"
#include "ui/analysis/Uspectrum.h"
#include "ui/app/Uopen.h"
#include "ui/data/Usetdata.h"

#include "ui/widgets/RadioGroup.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QRadioButton>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <cstdlib>

namespace {

// CSV text (CR LF or LF) as rows of numbers; texts read as NaN so that they never match a number.
std::vector<std::vector<double>> Numbers(const QByteArray& text) {
    std::vector<std::vector<double>> rows;
    for (QByteArray line : text.split('\n')) {
        line = line.trimmed();
        if (line.isEmpty()) continue;
        std::vector<double> row;
        for (const QByteArray& field : line.split(',')) {
            bool ok = false;
            const double value = field.toDouble(&ok);
            row.push_back(ok ? value : std::nan(""));
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace

class WindowAgreementTest : public FormsTest {
protected:
    void SetUp() override {
        FormsTest::SetUp();
        Scan(sample);
        Mark({1, 2, 3});
        SetData->Button4->click();
        ASSERT_TRUE(messages.empty());
    }
    // A window's CSV begins with a line of its settings; the table follows it.
    QByteArray SavedBy(QPushButton* button, const QString& name) {
        const QString path = files.Path(name);
        Dialogs::SetSaveFileHandler([path](const QString&) { return path; });
        button->click();
        const QByteArray bytes = FileBytes(path);
        EXPECT_TRUE(bytes.startsWith("# ")) << "the settings line first";
        return bytes.mid(bytes.indexOf('\n') + 1);
    }
    // The parts of the indices window's CSV after its settings line: the table, the
    // summary of the horizontals, the class's periods.
    QList<QByteArray> IndicesParts(TIndices& window) {
        QList<QByteArray> parts;
        const QByteArray saved = SavedBy(window.Button2, "indices.csv");
        for (qsizetype from = 0; from < saved.size();) {
            const qsizetype blank = saved.indexOf("\n\n", from);
            const qsizetype end = blank < 0 ? saved.size() : blank + 1;
            parts.push_back(saved.mid(from, end - from));
            from = blank < 0 ? saved.size() : blank + 2;
        }
        return parts;
    }
    TIndices* OpenIndices() {
        Open->Indices1->trigger();
        return qobject_cast<TIndices*>(TopLevel(QStringLiteral("Indices")));
    }

    const QString sample = ExampleFile("sample_standard.csv");
    DataFiles files;
};

TEST_F(WindowAgreementTest, ResponseSpectraOfTheWindowAndOfTheCommandLine) {
    Open->Spectrum1->trigger();
    auto* window = qobject_cast<TSpectrum*>(TopLevel(QStringLiteral("Spectrum")));
    ASSERT_NE(window, nullptr);
    // period_s, then sd, sv, sa, psv, psa of each of the three channels at 5 %.
    const std::vector<std::vector<double>> saved = Numbers(SavedBy(window->Button4, "window.csv"));
    ASSERT_GT(saved.size(), 200u);
    for (int channel = 1; channel <= 3; ++channel) {
        const CliResult cli = RunInProcess({"--spectrum", sample.toStdString(), "--channel", std::to_string(channel)});
        ASSERT_EQ(cli.status, 0) << cli.err.toStdString();
        const std::vector<std::vector<double>> rows = Numbers(cli.out);  // damping, period, sd … psa
        ASSERT_EQ(rows.size(), saved.size()) << "the same periods, header included";
        for (std::size_t r = 1; r < rows.size(); ++r) {
            ASSERT_EQ(rows[r][1], saved[r][0]) << "period of row " << r;
            for (int k = 0; k < 5; ++k)
                ASSERT_EQ(rows[r][2 + k], saved[r][1 + 5 * (channel - 1) + k]) << "channel " << channel << ", row " << r;
        }
    }
}

TEST_F(WindowAgreementTest, IndicesAndIntensityOfTheWindowAndOfTheCommandLine) {
    TIndices* window = OpenIndices();
    ASSERT_NE(window, nullptr);
    const QByteArray saved = IndicesParts(*window).at(0);
    const CliResult indices = RunInProcess({"--indices", sample.toStdString()});
    ASSERT_EQ(indices.status, 0) << indices.err.toStdString();
    ASSERT_EQ(saved.split('\n').first().trimmed(), indices.out.split('\n').first()) << "the same header";
    const std::vector<std::vector<double>> a = Numbers(saved);
    const std::vector<std::vector<double>> b = Numbers(indices.out);
    ASSERT_EQ(a.size(), 4u);
    ASSERT_EQ(b.size(), 4u);
    for (std::size_t r = 1; r < a.size(); ++r) {
        ASSERT_EQ(a[r].size(), b[r].size());
        for (std::size_t c = 2; c < b[r].size(); ++c) EXPECT_EQ(a[r][c], b[r][c]) << "row " << r << ", column " << c;
    }

    const CliResult intensity = RunInProcess({"--intensity", sample.toStdString()});
    ASSERT_EQ(intensity.status, 0) << intensity.err.toStdString();
    const QList<QByteArray> fields = intensity.out.split('\n').at(1).split(',');
    ASSERT_EQ(fields.size(), 4);
    EXPECT_EQ(window->Label3->text(), QStringLiteral("計測震度 ") + QString::asprintf("%.3f", fields[1].toDouble()));
    EXPECT_EQ(window->Label5->text(), QStringLiteral("発表値 ") + QString::fromUtf8(fields[2]));
    EXPECT_EQ(window->Label4->text(), QString::fromUtf8(fields[3]));
}

// RotD of the named horizontals at 5 %, then of two other channels, A and B swapped
// from the list's order, at 20 %: every row and column, period 0 and the angle included.
TEST_F(WindowAgreementTest, RotdOfTheWindowAndOfTheCommandLine) {
    Open->Spectrum1->trigger();
    auto* window = qobject_cast<TSpectrum*>(TopLevel(QStringLiteral("Spectrum")));
    ASSERT_NE(window, nullptr);
    window->RadioGroup1->button(3)->click();
    ASSERT_TRUE(messages.empty());
    const auto agree = [&](const char* name, std::vector<std::string> arguments) {
        const QByteArray saved = SavedBy(window->Button4, QString::fromLatin1(name));
        arguments.insert(arguments.begin(), {"--rotd", sample.toStdString()});
        const CliResult cli = RunInProcess(arguments);
        ASSERT_EQ(cli.status, 0) << cli.err.toStdString();
        ASSERT_EQ(saved.split('\n').first().trimmed(), cli.out.split('\n').first().trimmed()) << "the same header";
        const std::vector<std::vector<double>> a = Numbers(saved);
        const std::vector<std::vector<double>> b = Numbers(cli.out);
        ASSERT_EQ(a.size(), 202u) << "header, period 0 and 200 periods";
        ASSERT_EQ(a.size(), b.size());
        for (std::size_t r = 1; r < a.size(); ++r) {
            ASSERT_EQ(a[r].size(), 8u);
            ASSERT_EQ(a[r], b[r]) << name << ", row " << r;
        }
    };
    agree("rotd5.csv", {"--channels", "1,2"});
    window->DampingBoxes[3]->click();
    window->ComboBox3->setCurrentIndex(2);
    emit window->ComboBox3->activated(2);
    window->ComboBox4->setCurrentIndex(0);
    emit window->ComboBox4->activated(0);
    ASSERT_TRUE(messages.empty());
    agree("rotd20.csv", {"--channels", "3,1", "--damping", "0.2"});
}

// The class of the record's NS and EW and the SI of every acceleration, for the
// standard sample and for a KiK-net record whose six channels hold two pairs.
TEST_F(WindowAgreementTest, LongPeriodClassAndSiOfTheWindowAndOfTheCommandLine) {
    const QString kiknet = ExampleFile("network/SMPH010001011200.NS2");
    for (const QString& file : {sample, kiknet}) {
        SCOPED_TRACE(file.toStdString());
        if (file == kiknet) {
            Scan(kiknet);
            Mark({1, 2, 3, 4, 5, 6});
            SetData->CheckBox1->setChecked(true);
            SetData->Button4->click();
            ASSERT_TRUE(messages.empty());
        }
        TIndices* window = OpenIndices();
        ASSERT_NE(window, nullptr);
        QCoreApplication::processEvents();
        const QList<QByteArray> parts = IndicesParts(*window);
        ASSERT_EQ(parts.size(), 4) << "indices, SI, summary, class rows";

        const CliResult lpgm = RunInProcess({"--lpgm", file.toStdString()});
        ASSERT_EQ(lpgm.status, 0) << lpgm.err.toStdString();
        ASSERT_EQ(parts[3].split('\n').first(), lpgm.out.split('\n').first()) << "the same header";
        const std::vector<std::vector<double>> a = Numbers(parts[3]);
        const std::vector<std::vector<double>> b = Numbers(lpgm.out);
        ASSERT_EQ(a.size(), 33u);
        ASSERT_EQ(b.size(), 33u);
        for (std::size_t r = 1; r < a.size(); ++r)
            for (std::size_t c = 0; c < 3; ++c) EXPECT_EQ(a[r][c], b[r][c]) << "row " << r << ", column " << c;

        const CliResult si = RunInProcess({"--si", file.toStdString()});
        ASSERT_EQ(si.status, 0) << si.err.toStdString();
        ASSERT_EQ(parts[1].split('\n').first(), si.out.split('\n').first()) << "the same header";
        const std::vector<std::vector<double>> table = Numbers(parts[1]);
        const std::vector<std::vector<double>> bySi = Numbers(si.out);
        ASSERT_EQ(table.size(), bySi.size());
        ASSERT_GE(table.size(), 4u);
        for (std::size_t r = 1; r < table.size(); ++r) {
            EXPECT_EQ(table[r][0], bySi[r][0]) << "channel of row " << r;
            EXPECT_EQ(table[r][2], bySi[r][2]) << "si of row " << r;
        }
        // The summary's larger horizontal: of the command line's first two channels here.
        const std::vector<std::vector<double>> summary = Numbers(parts[2]);
        ASSERT_EQ(summary.size(), 2u);
        EXPECT_EQ(summary[1][10], std::max(bySi[1][2], bySi[2][2]));
    }
}
