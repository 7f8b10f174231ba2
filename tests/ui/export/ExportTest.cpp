#include "DataFiles.h"
#include "DataSetDriver.h"
#include "UiTestSupport.h"
#include "support/FileSizeLimit.h"

#include "core/data/ChannelStore.h"
#include "core/export/PngEncoder.h"
#include "ui/app/Uopen.h"
#include "ui/data/Usetdata.h"
#include "ui/display/Mywave.h"

#include "ui/widgets/StringGrid.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QFileInfo>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPushButton>

#include <cstdlib>
#include <cstring>

class ExportTest : public FormsTest {
protected:
    void ScanAndTransfer(const QString& path, std::initializer_list<int> rows) {
        Scan(path);
        Mark(rows);
        SetData->Button4->click();
    }
    void SaveAs(const QString& name) {
        Dialogs::SetSaveFileHandler([name, this](const QString& filter) {
            lastFilter = filter;
            return name;
        });
    }
    static QByteArray Read(const QString& path) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }
    QImage Decoded(const QString& path) const {
        int width = 0, height = 0;
        std::vector<std::uint8_t> rgb;
        if (!tremvix::DecodePngFile(path.toStdString(), width, height, rgb)) return {};
        return QImage(rgb.data(), width, height, width * 3, QImage::Format_RGB888).copy();
    }
    void DrawSomething() {
        Open->Button7->setEnabled(true);  // as after a drawing
        Open->Button8->setEnabled(true);
        Canvas& canvas = Open->MyWave1->canvas();
        canvas.pen.color = 0x0000FF;
        canvas.MoveTo(10, 10);
        canvas.LineTo(600, 400);
        canvas.pen.mode = Canvas::PenMode::Xor;
        canvas.MoveTo(300, 10);
        canvas.LineTo(300, 410);
        canvas.pen.mode = Canvas::PenMode::Copy;
        canvas.TextOut(480, 415, QStringLiteral("CH1       12     1.500gal"));
    }
    DataFiles files;
    QString lastFilter;
};

TEST_F(ExportTest, SavedDataReadsBackToTheSameHeadersAndSamples) {
    const QString sample = ExampleFile("sample_standard.csv");
    ASSERT_TRUE(QFile::exists(sample));
    ScanAndTransfer(sample, {1, 2, 3});
    ASSERT_EQ(Open->Store().ChannelCount, 3);
    const auto first = std::make_unique<tremvix::ChannelStore>(Open->Store());
    SaveAs(files.Path("round"));
    Open->Button10->click();
    EXPECT_EQ(lastFilter, QStringLiteral("標準データファイル (*.csv)|*.csv|すべて (*.*)|*.*"));
    const QString saved = files.Path("round.csv");
    ASSERT_TRUE(QFile::exists(saved));
    EXPECT_TRUE(messages.empty());

    SetData->CheckBox1->setChecked(true);
    ScanAndTransfer(saved, {1, 2, 3});
    EXPECT_EQ(Open->Store().FileLineCount, first->DataCount);
    for (int k = 0; k < 3; ++k) {
        const tremvix::ChannelRecord& a = first->BaseBank[k];
        const tremvix::ChannelRecord& b = Open->Store().BaseBank[k];
        EXPECT_STREQ(a.ChannelId, b.ChannelId);
        EXPECT_STREQ(a.PointName, b.PointName);
        EXPECT_STREQ(a.Memo, b.Memo);
        EXPECT_STREQ(a.Unit, b.Unit);
        EXPECT_EQ(std::strcmp(a.PointName, "1\x8A\x4B\x8F\xB0 NS") == 0 || k != 0, true) << "Shift-JIS bytes kept";
        for (int i = 0; i < first->DataCount; ++i) ASSERT_NEAR(a.Samples[i], b.Samples[i], 5e-7 + 1e-6 * std::abs(a.Samples[i]));
    }
}

TEST_F(ExportTest, CsvNameGetsItsExtensionAndAnExistingFinalNameIsAskedAbout) {
    const QString existing = files.Write("kept.csv", "old contents");
    SaveAs(files.Path("kept"));
    answer = Dialogs::kCancel;
    Open->Button10->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("kept.csv")));
    EXPECT_EQ(messages[0].flags, 0x21u);
    EXPECT_EQ(Read(existing), "old contents");
    answer = Dialogs::kOk;
    Open->Button10->click();
    EXPECT_EQ(Read(existing), "\r\n\r\n\r\n\r\n") << "no channel, no data: four empty header lines";
    SaveAs(files.Path("other.txt"));
    Open->Button10->click();
    EXPECT_TRUE(QFile::exists(files.Path("other.txt")));
    EXPECT_FALSE(QFile::exists(files.Path("other.txt.csv")));
}

// Only the records as transferred are written: a channel shown as velocity or
// displacement is saved as the acceleration it was read as.
TEST_F(ExportTest, ConvertedChannelsAreSavedAsTransferred) {
    ScanAndTransfer(ExampleFile("sample_standard.csv"), {1, 2});
    Open->StringGrid1->setCurrentCell(1, 1);
    Open->Velocity->trigger();
    Open->StringGrid1->setCurrentCell(1, 2);
    Open->Displacement->trigger();
    ASSERT_TRUE(messages.empty());
    ASSERT_EQ(Open->StringGrid1->cell(4, 1), "V");
    ASSERT_EQ(Open->StringGrid1->cell(3, 2), "mm");
    Open->Button4->click();  // drawn as velocity and displacement
    ASSERT_EQ(&Open->Store().RecordForDisplay(0), &Open->Store().VelocityBank[0]);
    ASSERT_EQ(&Open->Store().RecordForDisplay(1), &Open->Store().DisplacementBank[1]);
    SaveAs(files.Path("converted.csv"));
    Open->Button10->click();
    ASSERT_TRUE(messages.empty());
    const QList<QByteArray> lines = Read(files.Path("converted.csv")).split('\n');
    ASSERT_GT(lines.size(), 6);
    EXPECT_EQ(lines[3], "gal,gal\r");
    for (int i = 0; i < 50; ++i) {
        const QList<QByteArray> fields = lines[4 + i].trimmed().split(',');
        ASSERT_EQ(fields.size(), 2);
        for (int k = 0; k < 2; ++k) {
            const float base = Open->Store().BaseBank[k].Samples[i];
            EXPECT_NEAR(fields[k].toDouble(), base, 5e-7 + 1e-6 * std::abs(base)) << i << " " << k;
        }
    }
    EXPECT_NE(Open->Store().VelocityBank[0].Samples[40], Open->Store().BaseBank[0].Samples[40]);
}

TEST_F(ExportTest, FailedSavesAreReportedAndKeepTheOldFile) {
    SaveAs(files.Path("no/such/folder/data.csv"));
    Open->Button10->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, WithIdeographicSpaces(QStringLiteral("データを保存できませんでした（フォルダが見つかりません）"), 5));
    EXPECT_EQ(messages[0].caption, QStringLiteral("ファイル形式エラー"));
    EXPECT_EQ(messages[0].flags, 0x30u);
    messages.clear();
    DrawSomething();
    SaveAs(files.Path("no/such/folder/graph.png"));
    Open->Button8->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith(QStringLiteral("グラフを保存できませんでした（フォルダが見つかりません）")));
    messages.clear();
    // A folder of that name: no question about replacing it, only the failure.
    QDir(files.Path("")).mkdir("folder.png");
    SaveAs(files.Path("folder.png"));
    Open->Button8->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("同じ名前のフォルダがあります")));
    EXPECT_TRUE(QFileInfo(files.Path("folder.png")).isDir());
    messages.clear();

    // An existing file whose replacement cannot be written completely stays as it was.
    ScanAndTransfer(files.Write("d.csv", DataFiles::Standard(3, 300)), {1, 2, 3});
    const QString oldCsv = files.Write("old.csv", "old contents");
    const QString oldPng = files.Write("old.png", "old picture");
    messages.clear();
    WithFileSizeLimit(200, [&] {
        SaveAs(oldCsv);
        Open->Button10->click();
        SaveAs(oldPng);
        Open->Button8->click();
    });
    ASSERT_EQ(messages.size(), 4u) << "two questions, two failures";
    EXPECT_EQ(messages[1].text, WithIdeographicSpaces(QStringLiteral("データを保存できませんでした（ファイルが大きすぎます）"), 5));
    EXPECT_EQ(messages[3].text, WithIdeographicSpaces(QStringLiteral("グラフを保存できませんでした（ファイルが大きすぎます）"), 5));
    EXPECT_EQ(Read(oldCsv), "old contents");
    EXPECT_EQ(Read(oldPng), "old picture");
    EXPECT_EQ(QDir(files.Path("")).entryList(QDir::Files | QDir::Hidden).size(), 3) << "no temporary file is left";
}

TEST_F(ExportTest, PngHoldsExactlyTheCanvasPixelsUnderEveryName) {
    DrawSomething();
    const QImage canvas = Open->MyWave1->image().convertToFormat(QImage::Format_RGB888);
    SaveAs(files.Path("graph"));
    Open->Button8->click();
    EXPECT_EQ(lastFilter, QStringLiteral("PNG画像ファイル(*.png)|*.*|すべて(*.*)|*.*"));
    EXPECT_EQ(Decoded(files.Path("graph.png")), canvas);
    SaveAs(files.Path("named.png"));
    Open->Button8->click();
    EXPECT_EQ(Decoded(files.Path("named.png")), canvas);
    EXPECT_FALSE(QFile::exists(files.Path("named.png.png")));
    SaveAs(files.Path("graph.dat"));
    Open->Button8->click();
    EXPECT_EQ(Decoded(files.Path("graph.dat")), canvas);
    EXPECT_TRUE(messages.empty());

}

// Nothing is replaced without a question: neither a picture nor a data file that a
// mistaken click in the dialog would overwrite with PNG bytes.
TEST_F(ExportTest, GraphSaveAsksBeforeReplacingAFile) {
    DrawSomething();
    const QImage canvas = Open->MyWave1->image().convertToFormat(QImage::Format_RGB888);
    const QString data = files.Write("data.csv", "CH1\r\nP\r\nM\r\ngal\r\n1\r\n");
    SaveAs(data);
    answer = Dialogs::kCancel;
    Open->Button8->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("%1 は既に存在します。\n上書きしますか？").arg(data));
    EXPECT_EQ(messages[0].caption, QStringLiteral("名前を付けて保存"));
    EXPECT_EQ(messages[0].flags, 0x21u);
    EXPECT_EQ(Read(data), "CH1\r\nP\r\nM\r\ngal\r\n1\r\n") << "Cancel writes nothing";

    // The question names the final name, ".png" included.
    files.Write("over.png", "not a picture");
    messages.clear();
    SaveAs(files.Path("over"));
    answer = Dialogs::kOk;
    Open->Button8->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith(files.Path("over.png")));
    EXPECT_EQ(Decoded(files.Path("over.png")), canvas);
}

TEST_F(ExportTest, CopyPutsTheLatestSnapshotOnTheClipboard) {
    Open->Button7Click();
    const QImage blank = QGuiApplication::clipboard()->image();
    DrawSomething();
    const QImage before = Open->MyWave1->image().copy();
    Open->Button7Click();
    Open->Button7Click();
    const QImage copied = QGuiApplication::clipboard()->image().convertToFormat(before.format());
    EXPECT_EQ(copied, before);
    EXPECT_NE(copied, blank.convertToFormat(before.format()));
    EXPECT_EQ(Open->MyWave1->image(), before) << "the canvas is not changed";
}
