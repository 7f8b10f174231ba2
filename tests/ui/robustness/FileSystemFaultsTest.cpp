// The file system failing under the windows: files that change between scan and
// transfer, files that are not files, saves that cannot be written. Each is
// reported, and the store, the channel list and the picture are left as they were.
#include "RobustnessSupport.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <filesystem>

#include <sys/resource.h>
#include <sys/stat.h>

namespace {

const QString kFileError = QStringLiteral("ファイル形式エラー");
const QString kChanged = QStringLiteral("ファイルが読み込み後に変更されています。もう一度ファイルを読み込んでください");

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

}  // namespace

class FileSystemFaultsTest : public RobustnessTest {
protected:
    // Two channels loaded and drawn from a file of three; the third is marked for the
    // next transfer, with "clear first" ticked so that a late refusal would lose data.
    void LoadAndMarkNext(int lines = 100) {
        path = files.Write("data.csv", DataFiles::Standard(3, lines));
        Scan(path);
        Transfer({1, 2});
        ASSERT_TRUE(messages.empty());
        Mark({3});
        SetData->CheckBox1->setChecked(true);
    }
    void ExpectRefusedTransfer(const QString& text) {
        const WindowState before = State();
        SetData->Button4->click();
        const ShownMessage m = OnlyMessage();
        EXPECT_EQ(m.text, WithIdeographicSpaces(text, 5));
        EXPECT_EQ(m.caption, kFileError);
        EXPECT_EQ(m.flags, Dialogs::kOkExclamation);
        ExpectSameState(before, State());
        EXPECT_EQ(Open->Store().ChannelCount, 2);
    }
    QString path;
};

TEST_F(FileSystemFaultsTest, FileDeletedBeforeTheTransfer) {
    LoadAndMarkNext();
    QFile::remove(path);
    ExpectRefusedTransfer(QStringLiteral("ファイルを開けません"));
}

TEST_F(FileSystemFaultsTest, FileTruncatedBeforeTheTransfer) {
    LoadAndMarkNext();
    files.Write("data.csv", DataFiles::Standard(3, 60));
    ExpectRefusedTransfer(kChanged);
    files.Write("data.csv", DataFiles::Standard(3, 100).chopped(40));  // the last lines cut off
    ExpectRefusedTransfer(kChanged);
}

TEST_F(FileSystemFaultsTest, FileGrownBeforeTheTransfer) {
    LoadAndMarkNext();
    files.Write("data.csv", DataFiles::Standard(3, 101));
    ExpectRefusedTransfer(kChanged);
    // Back to the scanned length, the same transfer goes through.
    files.Write("data.csv", DataFiles::Standard(3, 100));
    SetData->Button4->click();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Open->Store().ChannelCount, 1);
}

TEST_F(FileSystemFaultsTest, FileReplacedByAFolderAFifoOrSomethingUnreadable) {
    LoadAndMarkNext();
    QFile::remove(path);
    ASSERT_TRUE(QDir().mkdir(path));
    ExpectRefusedTransfer(QStringLiteral("通常のファイルではありません"));

    ASSERT_TRUE(QDir().rmdir(path));
    ASSERT_EQ(mkfifo(path.toLocal8Bit().constData(), 0600), 0);
    ExpectRefusedTransfer(QStringLiteral("通常のファイルではありません"));  // and no wait for a writer

    // Tests may run as root, for whom no permission bit stops a read; /proc/self/mem
    // is a regular file whose first read fails with an I/O error for everyone.
    QFile::remove(path);
    std::filesystem::create_symlink("/proc/self/mem", path.toStdString());
    ExpectRefusedTransfer(QStringLiteral("ファイルを読み込めません（1行目）"));
}

TEST_F(FileSystemFaultsTest, ScanOfAFileThatCannotBeReadChangesNothing) {
    LoadAndMarkNext();
    const struct {
        QString path;
        QString text;
    } cases[] = {
        {files.Path("missing.csv"), QStringLiteral("ファイルを開けません")},
        {files.Path(QStringLiteral("   ")), QStringLiteral("ファイルを開けません")},
        {QDir::tempPath(), QStringLiteral("通常のファイルではありません")},
        {QStringLiteral("/proc/self/mem"), QStringLiteral("ファイルを読み込めません（1行目）")},
    };
    for (const auto& c : cases) {
        const WindowState before = State();
        Scan(c.path);
        const ShownMessage m = OnlyMessage();
        EXPECT_EQ(m.text, WithIdeographicSpaces(c.text, 5)) << c.path.toStdString();
        EXPECT_EQ(m.caption, kFileError);
        ExpectSameState(before, State());
        EXPECT_EQ(SetData->DataFilePath, path);
    }
    // A cancelled dialog is no scan at all.
    const WindowState before = State();
    Scan(QString());
    EXPECT_TRUE(messages.empty());
    ExpectSameState(before, State());
}

class FailedSaveTest : public FileSystemFaultsTest {
protected:
    void SetUp() override {
        FileSystemFaultsTest::SetUp();
        LoadAndMarkNext(2000);  // a CSV of some 40 kB
        SetData->CheckBox1->setChecked(false);
    }
    // Saves to `name` with both save buttons; each must fail with its message.
    void ExpectBothSavesFail(const QString& name) {
        Dialogs::SetSaveFileHandler([name](const QString&) { return name; });
        const WindowState before = State();
        for (QPushButton* button : {Open->Button10, Open->Button8}) {
            messages.clear();
            button->click();
            ASSERT_FALSE(messages.empty()) << name.toStdString();
            const ShownMessage& m = messages.back();
            const QString what = button == Open->Button10 ? QStringLiteral("データ") : QStringLiteral("グラフ");
            EXPECT_TRUE(m.text.startsWith(what + QStringLiteral("を保存できませんでした（"))) << m.text.toStdString();
            EXPECT_TRUE(m.text.endsWith(QStringLiteral("）") + QString(5, QChar(0x3000))));
            EXPECT_EQ(m.caption, kFileError);
            EXPECT_EQ(m.flags, Dialogs::kOkExclamation);
        }
        ExpectSameState(before, State());
    }
    // The entries of the test folder, hidden temporary files included.
    QStringList FolderEntries() const {
        return QDir(QFileInfo(path).path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
};

TEST_F(FailedSaveTest, DeviceThatIsAlwaysFull) {
    // Named through a link: the dialogs would add an extension to "/dev/full" itself.
    std::filesystem::create_symlink("/dev/full", files.Path("full.csv").toStdString());
    ExpectBothSavesFail(files.Path("full.csv"));
    struct stat info {};
    ASSERT_EQ(stat("/dev/full", &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode)) << "the device is still a device";
}

TEST_F(FailedSaveTest, FolderThatRefusesNewFilesAndFolderThatDoesNotExist) {
    ExpectBothSavesFail(QStringLiteral("/proc/self/tremvix.csv"));
    ExpectBothSavesFail(files.Path("no such folder/out.csv"));
    EXPECT_FALSE(QFileInfo::exists(files.Path("no such folder")));
}

TEST_F(FailedSaveTest, NameThatIsAFolder) {
    ASSERT_TRUE(QDir().mkdir(files.Path("graph.csv")));
    ExpectBothSavesFail(files.Path("graph.csv"));
    EXPECT_TRUE(QFileInfo(files.Path("graph.csv")).isDir());
}

TEST_F(FailedSaveTest, FullDiskKeepsTheOldFileAndLeavesNoTemporaryFile) {
    const QString target = files.Write("old.csv", "old content\r\n");
    const QStringList entries = FolderEntries();
    WithFileSizeLimit(1024, [&] { ExpectBothSavesFail(target); });
    EXPECT_EQ(ReadAll(target), QByteArray("old content\r\n"));
    EXPECT_EQ(FolderEntries(), entries);

    // With room again both saves replace it.
    answer = Dialogs::kOk;
    messages.clear();
    Open->Button10->click();
    EXPECT_EQ(messages.size(), 1u) << "only the overwrite question";
    EXPECT_NE(ReadAll(target), QByteArray("old content\r\n"));
    EXPECT_EQ(FolderEntries(), entries);
}

TEST_F(FailedSaveTest, CancelledSaveDialogWritesNothing) {
    Dialogs::SetSaveFileHandler([](const QString&) { return QString(); });
    const QStringList entries = FolderEntries();
    const WindowState before = State();
    Open->Button10->click();
    Open->Button8->click();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(FolderEntries(), entries);
    ExpectSameState(before, State());
}
