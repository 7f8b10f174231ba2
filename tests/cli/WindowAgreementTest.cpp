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
#include <QRadioButton>
#include <QLabel>
#include <QPushButton>

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
    Open->Indices1->trigger();
    auto* window = qobject_cast<TIndices*>(TopLevel(QStringLiteral("Indices")));
    ASSERT_NE(window, nullptr);
    const QByteArray saved = SavedBy(window->Button2, "indices.csv");
    const CliResult indices = RunInProcess({"--indices", sample.toStdString()});
    ASSERT_EQ(indices.status, 0) << indices.err.toStdString();
    ASSERT_EQ(saved.split('\n').first().trimmed(), indices.out.split('\n').first()) << "the same header";
    const std::vector<std::vector<double>> a = Numbers(saved);
    const std::vector<std::vector<double>> b = Numbers(indices.out);
    ASSERT_EQ(a.size(), 4u);
    ASSERT_EQ(b.size(), 4u);
    for (std::size_t r = 1; r < a.size(); ++r)
        for (std::size_t c = 2; c < a[r].size(); ++c) EXPECT_EQ(a[r][c], b[r][c]) << "row " << r << ", column " << c;

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
