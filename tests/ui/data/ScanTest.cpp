#include "DataFiles.h"
#include "DataSetDriver.h"
#include "UiTestSupport.h"

#include "core/data/ChannelStore.h"
#include "ui/app/Uopen.h"
#include "ui/data/Usetdata.h"
#include "ui/widgets/StringGrid.h"

#include <QDir>
#include <QLabel>
#include <QStringList>
#include <QPushButton>

class ScanTest : public FormsTest {
protected:
    QString Cell(int col, int row) const { return SetData->StringGrid1->cell(col, row); }
    DataFiles files;
};

TEST_F(ScanTest, ListsChannelsAndCountsDataLines) {
    QString filter;
    Dialogs::SetOpenFileHandler([&](const QString& f) {
        filter = f;
        return files.Write("three.csv", DataFiles::Standard(3, 1000));
    });
    SetData->Button2->click();
    // The two filters of old keep their text and order; the networks' records between them.
    const QStringList parts = filter.split(QLatin1Char('|'));
    ASSERT_EQ(parts.size(), 6);
    EXPECT_EQ(parts[0] + "|" + parts[1], QStringLiteral("計測データファイル(*.csv)|*.csv"));
    EXPECT_EQ(parts[2], QStringLiteral("観測網の記録"));
    EXPECT_EQ(parts[4] + "|" + parts[5], QStringLiteral("すべて(*.*)|*.*"));
    const QStringList networkPatterns = parts[3].split(QLatin1Char(';'));
    const QStringList records = QDir(ExampleFile("network")).entryList(QDir::Files);
    ASSERT_GE(records.size(), 10);
    for (const QString& name : records + QStringList{"abc0011103111446.ns", "XYZ0011103111446.UD2", "rsn1_x.at2"})
        EXPECT_TRUE(QDir::match(networkPatterns, name)) << name.toStdString();
    EXPECT_FALSE(QDir::match(networkPatterns, QStringLiteral("notes.txt")));
    EXPECT_EQ(SetData->StringGrid1->rowCount(), 4);
    EXPECT_EQ(Cell(0, 1), "CH1");
    EXPECT_EQ(Cell(1, 3), "P3");
    EXPECT_EQ(Cell(2, 2), "M2");
    EXPECT_EQ(Cell(3, 3), "gal");
    EXPECT_EQ(SetData->Label2->text(), QStringLiteral("1000データ"));
    EXPECT_EQ(SetData->Label3->text(), QStringLiteral("3チャンネル"));
    EXPECT_EQ(SetData->Label1->text(), "three.csv");
    EXPECT_EQ(Open->Store().DataCount, 1000);
    EXPECT_EQ(Open->Store().FileLineCount, 1000);
    EXPECT_EQ(SetData->FileChannelCount, 3);
    for (QPushButton* b : {SetData->Button3, SetData->Button4, SetData->Button5, SetData->Button6}) EXPECT_TRUE(b->isEnabled());
    EXPECT_FALSE(SetData->Button7->isEnabled());
    EXPECT_TRUE(messages.empty());
}

TEST_F(ScanTest, CancelledDialogChangesNothing) {
    Dialogs::SetOpenFileHandler([](const QString&) { return QString(); });
    SetData->Button2->click();
    EXPECT_TRUE(messages.empty()) << "a cancelled dialog is no file to refuse";
    EXPECT_EQ(SetData->StringGrid1->rowCount(), 21);
    EXPECT_EQ(SetData->Label1->text(), QStringLiteral("ファイル名"));
}

TEST_F(ScanTest, BlankLastLineCountsAndLeadingSpacesStay) {
    Scan(files.Write("blank.csv", "A, B\r\np, q\r\nm,m\r\ngal,gal\r\n1,2\r\n\r\n"));
    EXPECT_EQ(Open->Store().DataCount, 2);
    EXPECT_EQ(Cell(0, 2), " B");
    EXPECT_EQ(Cell(1, 2), " q");
}

TEST_F(ScanTest, SecondScanWithFewerChannelsShrinksTheGridAndDropsMarks) {
    Scan(files.Write("five.csv", DataFiles::Standard(5, 10)));
    SetData->StringGrid1->setCell(4, 2, SetData->kMark);
    Scan(files.Write("two.csv", DataFiles::Standard(2, 10)));
    EXPECT_EQ(SetData->StringGrid1->rowCount(), 3);
    EXPECT_TRUE(Cell(4, 2).isEmpty());
    EXPECT_EQ(SetData->FileChannelCount, 2);
}

TEST_F(ScanTest, PercentUnitLineIsRefusedAndKeepsWhatWasRead) {
    Scan(files.Write("old.csv", DataFiles::Standard(4, 50)));
    Scan(files.Write("pct.csv", "I1,I2\r\nN1,N2\r\nM1,M2\r\n%gal,gal\r\n1,2\r\n"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, WithIdeographicSpaces(QStringLiteral("標準形式データファイルではありません"), 5));
    EXPECT_EQ(messages[0].caption, QStringLiteral("ファイル形式エラー"));
    EXPECT_EQ(messages[0].flags, 0x30u);
    EXPECT_EQ(SetData->StringGrid1->rowCount(), 3);
    EXPECT_EQ(Cell(0, 2), "I2");
    EXPECT_EQ(Cell(1, 1), "N1");
    EXPECT_EQ(Cell(2, 2), "M2");
    EXPECT_TRUE(Cell(3, 1).isEmpty());
    EXPECT_EQ(SetData->Label3->text(), QStringLiteral("4チャンネル")) << "labels stay as they were";
    EXPECT_EQ(Open->Store().DataCount, 50);
    EXPECT_EQ(SetData->FileChannelCount, 4);
}

TEST_F(ScanTest, BadFilesAreRefusedWithoutTouchingTheWindow) {
    Scan(files.Write("good.csv", DataFiles::Standard(2, 7)));
    const QByteArray longLine = QByteArray(3000, 'x') + "\r\n";
    QByteArray manyFields = "a";
    for (int i = 0; i < 100; ++i) manyFields += ",a";
    const struct {
        QString path;
        const char* text;
    } cases[] = {{files.Path("missing.csv"), "ファイルを開けません"},
                 {files.Write("short.csv", "I1\r\nN1\r\n"), "ヘッダ行の途中で終わって"},
                 {files.Write("long.csv", "I\r\nN\r\nM\r\nu\r\n" + longLine), "5行目が長すぎます"},
                 {files.Write("wide.csv", "I\r\n" + manyFields + "\r\nM\r\nu\r\n"), "フィールドが多すぎます"},
                 {files.Path(""), "通常のファイルではありません"}};
    for (const auto& c : cases) {
        messages.clear();
        Scan(c.path);
        ASSERT_EQ(messages.size(), 1u) << c.text;
        EXPECT_TRUE(messages[0].text.contains(QString::fromUtf8(c.text))) << messages[0].text.toStdString();
        EXPECT_EQ(messages[0].caption, QStringLiteral("ファイル形式エラー"));
        EXPECT_EQ(SetData->StringGrid1->rowCount(), 3);
        EXPECT_EQ(Cell(0, 1), "CH1");
        EXPECT_EQ(SetData->Label1->text(), "good.csv");
        EXPECT_EQ(Open->Store().DataCount, 7);
    }
}

TEST_F(ScanTest, EDefenceLayoutLabelsColumnsAndHasNoMemo) {
    Open->EDefence1->trigger();
    Scan(files.Write("ed.csv", "any text at all\r\nX,Y,Z\r\ngal,gal,gal\r\n1,2,3\r\n4,5,6\r\n"));
    EXPECT_EQ(SetData->StringGrid1->rowCount(), 4);
    EXPECT_EQ(Cell(0, 1), "0CH");
    EXPECT_EQ(Cell(0, 3), "2CH");
    EXPECT_EQ(Cell(1, 2), "Y");
    EXPECT_TRUE(Cell(2, 1).isEmpty());
    EXPECT_EQ(Cell(3, 3), "gal");
    EXPECT_EQ(Open->Store().DataCount, 2);
}

TEST_F(ScanTest, LayoutsReadOutOfStepWhenTheModeIsWrong) {
    const QString standard = files.Write("std.csv", "I1,I2\r\nN1,N2\r\nM1,M2\r\ngal,kine\r\n1,2\r\n3,4\r\n");
    Open->EDefence1->trigger();
    Scan(standard);
    EXPECT_EQ(Cell(3, 1), "M1") << "the memo line is taken as the unit line";
    EXPECT_EQ(Open->Store().DataCount, 3) << "the unit line is counted as data";
    Open->N9->trigger();
    Scan(files.Write("ed.csv", "free\r\nX,Y\r\ngal,gal\r\n1,2\r\n"));
    EXPECT_TRUE(messages.empty()) << "refused only for a percent sign";
    EXPECT_EQ(Cell(0, 1), "free");
    EXPECT_EQ(Cell(3, 1), "1");
    EXPECT_EQ(Open->Store().DataCount, 0);
}

TEST_F(ScanTest, ShiftJisHeadersAreShownDecoded) {
    Scan(files.Write("sjis.csv", "\x31\x8A\x4B,CH2\r\n\x8C\x76\x91\xAA\x93\x5F,P\r\nm,m\r\ngal,gal\r\n1,2\r\n"));
    EXPECT_EQ(Cell(0, 1), QStringLiteral("1階"));
    EXPECT_EQ(Cell(1, 1), QStringLiteral("計測点"));
}

TEST_F(ScanTest, CommandLineFileShowsTheWindowScanned) {
    SetData->OpenFromCommandLine(files.Write("cli.csv", DataFiles::Standard(3, 20)));
    EXPECT_TRUE(SetData->isVisible());
    EXPECT_EQ(SetData->StringGrid1->rowCount(), 4);
    EXPECT_EQ(Open->Store().DataCount, 20);
}

TEST_F(ScanTest, LongFilesCountEveryLine) {
    Scan(files.Write("long.csv", DataFiles::Standard(1, 41000)));
    EXPECT_EQ(Open->Store().FileLineCount, 41000);
    EXPECT_EQ(Open->Store().DataCount, 41000);
    EXPECT_EQ(SetData->Label2->text(), QStringLiteral("41000データ"));
}
