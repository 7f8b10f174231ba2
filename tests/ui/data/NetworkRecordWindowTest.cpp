// Records of the recording networks through the real data set window: listed as
// they come, whatever the data-format menu says, with their own sampling rate.
#include "DataFiles.h"
#include "DataSetDriver.h"
#include "UiTestSupport.h"
#include "core/formats/NetworkTestFiles.h"

#include "core/data/ChannelStore.h"
#include "core/data/DataFileReader.h"
#include "ui/app/Uopen.h"
#include "ui/data/Usetdata.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/StringGrid.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QRadioButton>

#include <cmath>

namespace {

QString Example(const char* name) { return ExampleFile("network") + QLatin1Char('/') + QLatin1String(name); }

// A PEER file of `n` values 0.001·i g at `dt` seconds.
QByteArray At2(int n, const char* dt, const char* component = "090") {
    QByteArray text = QByteArray("PEER NGA STRONG MOTION DATABASE RECORD\r\nTest Event, 1/2/2003, Test Station, ") + component +
                      "\r\n"
                      "ACCELERATION TIME SERIES IN UNITS OF G\r\nNPTS=  " +
                      QByteArray::number(n) + ", DT=   " + dt + " SEC\r\n";
    for (int i = 0; i < n; ++i) {
        text += "  " + QByteArray::number(0.001 * i, 'E', 7);
        if (i % 5 == 4 || i == n - 1) text += "\r\n";
    }
    return text;
}

}  // namespace

class NetworkRecordWindowTest : public FormsTest {
protected:
    QString Cell(int col, int row) const { return SetData->StringGrid1->cell(col, row); }
    void TransferAll() {
        SetData->Button5->click();
        SetData->Button4->click();
    }
    DataFiles files;
};

TEST_F(NetworkRecordWindowTest, AKikNetRecordListsItsSixChannelsWhateverTheMenuSays) {
    Open->EDefence1->trigger();
    Scan(Example("SMPH010001011200.UD1"));
    ASSERT_TRUE(messages.empty()) << messages[0].text.toStdString();
    EXPECT_EQ(SetData->Label4->text(), QStringLiteral("KiK-net形式"));
    ASSERT_EQ(SetData->StringGrid1->rowCount(), 7);
    const QStringList ids = {"NS2", "EW2", "UD2", "NS1", "EW1", "UD1"};
    for (int r = 1; r <= 6; ++r) {
        EXPECT_EQ(Cell(0, r), ids[r - 1]) << "surface first, then borehole";
        EXPECT_EQ(Cell(3, r), "gal");
    }
    EXPECT_EQ(SetData->Label2->text(), QStringLiteral("4000データ"));
    EXPECT_EQ(Open->Store().FileLineCount, 4000);

    // A CSV file afterwards follows the menu again, and says so.
    Open->N9->trigger();
    Scan(ExampleFile("sample_standard.csv"));
    EXPECT_EQ(SetData->Label4->text(), QStringLiteral("標準形式データファイル"));
}

TEST_F(NetworkRecordWindowTest, TheRecordsRateIsTakenSilentlyWithItsData) {
    Open->RadioGroup1->button(4)->click();  // 200 per second, with its notice
    messages.clear();
    Scan(Example("SMP0010001011200.EW"));
    ASSERT_TRUE(messages.empty());
    EXPECT_EQ(Open->Filters.SamplingRate, 200) << "the scan alone changes nothing";
    TransferAll();
    EXPECT_TRUE(messages.empty()) << "no request to read the data again: they come now";
    EXPECT_EQ(Open->Filters.SamplingRate, 100);
    EXPECT_EQ(Open->Filters.SamplingInterval, 1.0f / 100);
    EXPECT_EQ(Open->RadioGroup1->itemIndex(), 3);
    EXPECT_TRUE(Open->RateItems[3]->isChecked());
    EXPECT_FALSE(Open->RateItems[4]->isChecked());
    EXPECT_EQ(Open->Store().ChannelCount, 3);
    EXPECT_EQ(Open->StringGrid1->cell(1, 1), "NS");
    EXPECT_EQ(Open->StringGrid1->cell(4, 1), "A");
}

TEST_F(NetworkRecordWindowTest, ARateOutsideTheMenuIsKeptAndShown) {
    Scan(files.Write("RSN1_TEST_T090.AT2", At2(2000, ".0040")));
    ASSERT_TRUE(messages.empty());
    EXPECT_EQ(SetData->Label4->text(), QStringLiteral("PEER形式"));
    TransferAll();
    ASSERT_TRUE(messages.empty());
    EXPECT_EQ(Open->Filters.SamplingRate, 250);
    EXPECT_EQ(Open->Filters.SamplingInterval, 1.0f / 250);
    EXPECT_EQ(Open->RadioGroup1->itemIndex(), -1);
    for (QAction* item : Open->RateItems) EXPECT_FALSE(item->isChecked());
    EXPECT_EQ(Open->RadioGroup1->title(), QStringLiteral("サンプリング率（250Hz）"));
    // Values in gal: g times 980.665.
    EXPECT_EQ(Open->Store().BaseBank[0].Samples[1000], static_cast<float>(1.0 * 980.665));
    // Choosing one of the eight rates afterwards gives the title back.
    Open->RadioGroup1->button(3)->click();
    EXPECT_EQ(Open->RadioGroup1->title(), QStringLiteral("サンプリング率"));
}

TEST_F(NetworkRecordWindowTest, AKnetTripletSavedAndReadBackIsEqualToTheFloat) {
    Scan(Example("SMP0010001011200.NS"));
    TransferAll();
    ASSERT_TRUE(messages.empty());
    const QString saved = files.Path("knet.csv");
    Dialogs::SetSaveFileHandler([saved](const QString&) { return saved; });
    Open->Button10->click();
    ASSERT_TRUE(messages.empty());
    const tremvix::ScanResult scan = ScanDataFile(saved.toStdString(), tremvix::FileLayout::Standard);
    ASSERT_FALSE(scan.refusal);
    EXPECT_EQ(scan.ids, (std::vector<std::string>{"NS", "EW", "UD"}));
    EXPECT_EQ(scan.units, (std::vector<std::string>{"gal", "gal", "gal"}));
    EXPECT_EQ(scan.names[0], "SMP001");
    const tremvix::TransferRead read = ReadChannels(saved.toStdString(), tremvix::FileLayout::Standard, {0, 1, 2}, scan.dataLines);
    ASSERT_EQ(read.linesRead, 4000);
    for (int k = 0; k < 3; ++k)
        for (int i = 0; i < 4000; ++i) {
            const float stored = Open->Store().BaseBank[k].Samples[i];
            // Six decimals in the file: the float comes back within half a unit of the sixth.
            ASSERT_NEAR(read.columns[k].samples[i], stored, 5e-7 + std::fabs(stored) * 1.2e-7) << k << " " << i;
        }
}

TEST_F(NetworkRecordWindowTest, AHeaderPeakThatDisagreesIsToldAndABrokenFileRefused) {
    tremvix::testing::KnetSpec spec;
    spec.counts = tremvix::testing::QuakeCounts(800, 1);
    spec.maxAcc = "999.999";
    Scan(files.Write("ABC0011103111446.NS", QByteArray::fromStdString(tremvix::testing::KnetText(spec))));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("999.999"))) << messages[0].text.toStdString();
    EXPECT_EQ(SetData->StringGrid1->rowCount(), 2) << "listed all the same";
    messages.clear();

    std::string broken = tremvix::testing::KnetText(spec);
    broken[broken.find_last_of("0123456789")] = 'x';  // a count that is not an integer
    const int rows = SetData->StringGrid1->rowCount();
    Scan(files.Write("ABC0021103111446.NS", QByteArray::fromStdString(broken)));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith(QStringLiteral("ABC0021103111446.NS の "))) << messages[0].text.toStdString();
    EXPECT_EQ(messages[0].caption, QStringLiteral("ファイル形式エラー"));
    EXPECT_EQ(SetData->StringGrid1->rowCount(), rows) << "a refused file changes nothing";
    EXPECT_EQ(SetData->Label1->text(), QStringLiteral("ABC0011103111446.NS"));
}

TEST_F(NetworkRecordWindowTest, ATransferNamesTheLayoutEndsTheBarAndCutsComponentsWithANotice) {
    files.Write("RSN2_TEST_T000.AT2", At2(2100, ".0100", "000"));
    Scan(files.Write("RSN2_TEST_T090.AT2", At2(2000, ".0100")));
    ASSERT_EQ(messages.size(), 1u) << "the components were cut to the shortest";
    EXPECT_EQ(messages[0].caption, QStringLiteral("お知らせ")) << "a notice, not a refusal";
    messages.clear();
    TransferAll();
    ASSERT_TRUE(messages.empty());
    EXPECT_EQ(Open->Label1->text(), QStringLiteral("PEER形式データファイル"));
    EXPECT_EQ(SetData->ProgressBar1->value(), SetData->ProgressBar1->maximum());
    // The slider's last position is the last sample, which draws.
    EXPECT_EQ(Open->TrackBar1->maximum(), 1999);
    Open->TrackBar1->setValue(Open->TrackBar1->maximum());
    EXPECT_EQ(Open->Edit1->text(), "1999");

    // A CSV file transferred afterwards gives the menu's caption back.
    Scan(ExampleFile("sample_standard.csv"));
    SetData->CheckBox1->setChecked(true);
    TransferAll();
    EXPECT_EQ(Open->Label1->text(), QStringLiteral("標準形式データファイル"));
}
