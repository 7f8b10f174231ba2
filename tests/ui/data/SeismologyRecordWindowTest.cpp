// The seismological formats through the real data set window: named in Label4,
// listed with station, component and unit, read with their own rate.
#include "DataFiles.h"
#include "DataSetDriver.h"
#include "UiTestSupport.h"

#include "core/data/ChannelStore.h"
#include "ui/app/Uopen.h"
#include "ui/data/Usetdata.h"
#include "ui/widgets/StringGrid.h"

#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

class SeismologyRecordWindowTest : public FormsTest {
protected:
    QString Cell(int col, int row) const { return SetData->StringGrid1->cell(col, row); }
};

TEST_F(SeismologyRecordWindowTest, EachFormatIsNamedAndListedWhateverTheMenuSays) {
    Open->EDefence1->trigger();
    const struct {
        const char* file;
        const char* label;
        QStringList ids;
        const char* name;
        const char* unit;
    } cases[] = {
        {"seismology/SM.SMPH.00.HNN.sac", "SAC形式", {"HNE", "HNN", "HNZ"}, "SM.SMPH.00", "gal"},
        {"seismology/SM.SMPH.mseed", "MiniSEED形式", {"HNE", "HNN", "HNZ"}, "SM.SMPH.00", "count"},
        {"seismology/20000101120700.ch", "WIN32形式", {"U", "N", "E"}, "N.SMPH", "kine"},
    };
    for (const auto& each : cases) {
        messages.clear();
        Scan(ExampleFile(each.file));
        ASSERT_TRUE(messages.empty()) << each.file << ": " << messages[0].text.toStdString();
        EXPECT_EQ(SetData->Label4->text(), QString::fromUtf8(each.label));
        ASSERT_EQ(SetData->StringGrid1->rowCount(), 4) << each.file;
        for (int r = 1; r <= 3; ++r) {
            EXPECT_EQ(Cell(0, r), each.ids[r - 1]) << each.file;
            EXPECT_EQ(Cell(1, r), QString::fromUtf8(each.name)) << each.file;
            EXPECT_EQ(Cell(3, r), QString::fromUtf8(each.unit)) << each.file;
        }
        EXPECT_EQ(SetData->Label2->text(), QStringLiteral("3000データ"));
    }
    SetData->Button5->click();
    SetData->Button4->click();
    EXPECT_EQ(Open->Filters.SamplingRate, 100);
    EXPECT_EQ(Open->Store().ChannelCount, 3);
    EXPECT_EQ(Open->StringGrid1->cell(4, 1), "V");  // kine is a velocity
}

TEST_F(SeismologyRecordWindowTest, AWin32FileWithoutItsTableBesideItAsksForTheTable) {
    DataFiles data, tables;
    auto copy = [](const QString& from, DataFiles& into) {
        QFile file(from);
        file.open(QIODevice::ReadOnly);
        return into.Write(QFileInfo(from).fileName(), file.readAll());
    };
    const QString cnt = copy(ExampleFile("seismology/20000101120700.cnt"), data);
    const QString ch = copy(ExampleFile("seismology/20000101120700.ch"), tables);
    QStringList asked;
    auto answer = [&](const QString& table) {
        Dialogs::SetOpenFileHandler([&asked, cnt, table](const QString& filter) {
            asked << filter;
            return asked.size() == 1 ? cnt : table;
        });
    };

    answer(ch);
    SetData->Button2->click();
    ASSERT_EQ(asked.size(), 2);
    EXPECT_TRUE(asked[1].startsWith(QStringLiteral("WIN32のチャンネル表(*.ch;*.tbl)"))) << asked[1].toStdString();
    ASSERT_TRUE(messages.empty()) << messages[0].text.toStdString();
    EXPECT_EQ(Cell(1, 1), "N.SMPH");
    EXPECT_EQ(Cell(3, 1), "kine");
    SetData->Button5->click();
    SetData->Button4->click();
    ASSERT_EQ(Open->Store().ChannelCount, 3);
    EXPECT_EQ(Open->StringGrid1->cell(4, 1), "V");  // the table's kine is a velocity

    // Without a table chosen the counts are read, and the window says so.
    asked.clear();
    answer(QString());
    SetData->Button2->click();
    EXPECT_EQ(asked.size(), 2);
    EXPECT_EQ(Cell(3, 1), "count");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("カウント値のまま"))) << messages[0].text.toStdString();
}
