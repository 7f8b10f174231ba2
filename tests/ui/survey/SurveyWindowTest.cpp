// The event window driven as a user does: a folder chosen, the table and the failures
// as the survey writes them, sorting, exports, a double click and the map.
#include "EventFiles.h"
#include "UiTestSupport.h"

#include "core/export/CsvText.h"
#include "core/map/JapanMap.h"
#include "core/survey/SurveyMarks.h"
#include "ui/app/Uopen.h"
#include "ui/components/Mymap.h"
#include "ui/data/Usetdata.h"
#include "ui/survey/EventMapView.h"
#include "ui/survey/SurveyTableModel.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/StringGrid.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <cmath>

using namespace survey_ui_testing;
using tremvix::survey_testing::ScratchFolder;

namespace {

// The grid's rows as the survey's CSV writes them.
std::string GridLines(const StringGrid& grid) {
    std::string lines;
    for (int r = 1; r < grid.rowCount(); ++r) {
        for (int c = 0; c < grid.colCount(); ++c)
            lines += (c ? "," : "") + tremvix::CsvField(grid.cell(c, r).toStdString());
        lines += '\n';
    }
    return lines;
}

int Column(const StringGrid& grid, const QString& name) {
    for (int c = 0; c < grid.colCount(); ++c)
        if (grid.cell(c, 0).startsWith(name + QLatin1Char(' ')) || grid.cell(c, 0) == name) return c;
    return -1;
}

int RowOfStation(const StringGrid& grid, const char* code) {
    for (int r = 1; r < grid.rowCount(); ++r)
        if (grid.cell(1, r) == QLatin1String(code)) return r;
    return -1;
}

}  // namespace

class SurveyWindowTest : public FormsTest {
protected:
    void SetUp() override {
        FormsTest::SetUp();
        WriteEvent(folder.Path());
        // A record lacking two of its components and a file that is no record.
        Write(folder / "BAD0010001011200.NS", Bytes(tremvix::survey_testing::Examples() / "SMP0010001011200.NS"));
        Write(folder / "notes.csv", "no record here\n");
        Open->Survey1->trigger();
        window = qobject_cast<TSurvey*>(TopLevel(QStringLiteral("Survey")));
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        Dialogs::SetFolderHandler({});
        FormsTest::TearDown();
        TMyMap::SetGraticule(0, 0, nullptr);
    }
    void Survey() {
        const QString path = QString::fromStdString(folder.Path().string());
        Dialogs::SetFolderHandler([path](const QString&) { return path; });
        window->Button1->click();
        ASSERT_TRUE(WaitForSurvey(*window));
    }
    QByteArray Saved(QPushButton* button, const char* name) {
        const fs::path file = folder.Path().parent_path() / (folder.Path().filename().string() + name);
        Dialogs::SetSaveFileHandler([file](const QString&) { return QString::fromStdString(file.string()); });
        button->click();
        const std::string bytes = Bytes(file);
        fs::remove(file);
        return QByteArray::fromStdString(bytes);
    }

    ScratchFolder folder;
    TSurvey* window = nullptr;
};

TEST_F(SurveyWindowTest, TheMenuOpensTheWindowAndItsTableIsTheCoresTable) {
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("一括解析"));
    Survey();
    const auto core = tremvix::survey_testing::Survey({folder.Path()}, 1);
    ASSERT_EQ(core.counts.rows, std::size(kStations));
    EXPECT_EQ(GridLines(*window->StringGrid1), core.rows);
    EXPECT_EQ(window->StringGrid1->cell(0, 0) + "," + window->StringGrid1->cell(23, 0) + "\n",
              QStringLiteral("record,sa_5.0\n"));
    // The failures with the core's reasons.
    std::string failures;
    for (int r = 1; r < window->StringGrid2->rowCount(); ++r)
        failures += tremvix::FailureLine(window->StringGrid2->cell(0, r).toStdString(), window->StringGrid2->cell(1, r).toStdString());
    EXPECT_EQ(core.counts.failures, 2u);
    EXPECT_EQ(failures, core.failures);
    EXPECT_EQ(window->ProgressBar1->value(), window->ProgressBar1->maximum());
    EXPECT_TRUE(window->Label1->text().contains(QStringLiteral("10 / 10")));
    EXPECT_FALSE(window->Button3->isEnabled()) << "nothing left to stop";
}

TEST_F(SurveyWindowTest, ExportsAreTheCommandLinesBytesAfterALineOfSettings) {
    Survey();
    const auto core = tremvix::survey_testing::Survey({folder.Path()}, 2);
    const QByteArray rows = Saved(window->Button4, "-rows.csv");
    ASSERT_TRUE(rows.startsWith("# ")) << rows.left(80).toStdString();
    const QByteArray settings = rows.left(rows.indexOf('\n'));
    for (const char* convention : {"units=gal", "damping=0.05", "damping=0.20", "mean_removed=no", "less its mean"})
        EXPECT_TRUE(settings.contains(convention)) << convention;
    EXPECT_FALSE(settings.contains(',')) << "the settings line stays one field";
    EXPECT_EQ(rows.mid(rows.indexOf('\n') + 1).toStdString(), tremvix::SurveyHeaderLine() + core.rows);
    const QByteArray failures = Saved(window->Button5, "-failures.csv");
    ASSERT_TRUE(failures.startsWith("# "));
    EXPECT_EQ(failures.mid(failures.indexOf('\n') + 1).toStdString(), tremvix::FailureHeaderLine() + core.failures);
}

TEST_F(SurveyWindowTest, AColumnSortsByValueBothWaysWithEmptyCellsLast) {
    Survey();
    StringGrid& grid = *window->StringGrid1;
    const int pga = Column(grid, QStringLiteral("pga_ns"));
    const int latitude = Column(grid, QStringLiteral("latitude"));
    ASSERT_GE(pga, 0);
    grid.setCurrentCell(0, RowOfStation(grid, "HKD001"));
    const auto values = [&](int column) {
        std::vector<double> v;
        for (int r = 1; r < grid.rowCount(); ++r) v.push_back(grid.cell(column, r).isEmpty() ? NAN : grid.cell(column, r).toDouble());
        return v;
    };
    emit grid.horizontalHeader()->sectionClicked(pga);
    std::vector<double> up = values(pga);
    EXPECT_TRUE(std::is_sorted(up.begin(), up.end()));
    EXPECT_LT(up.front(), up.back()) << "numbers, not texts";
    EXPECT_EQ(grid.cell(1, grid.row()), QStringLiteral("HKD001")) << "the chosen record stays chosen";
    emit grid.horizontalHeader()->sectionClicked(pga);
    std::vector<double> down = values(pga);
    EXPECT_TRUE(std::is_sorted(down.rbegin(), down.rend()));
    EXPECT_TRUE(grid.cell(pga, 0).contains(QStringLiteral("▼")));
    // The station without a position has an empty latitude: last, whichever way.
    emit grid.horizontalHeader()->sectionClicked(latitude);
    EXPECT_EQ(grid.cell(1, grid.rowCount() - 1), QStringLiteral("XXX001"));
    EXPECT_EQ(grid.cell(1, 1), QStringLiteral("OKN001"));
    emit grid.horizontalHeader()->sectionClicked(latitude);
    EXPECT_EQ(grid.cell(1, grid.rowCount() - 1), QStringLiteral("XXX001"));
    EXPECT_EQ(grid.cell(1, 1), QStringLiteral("HKD001"));
}

TEST_F(SurveyWindowTest, ADoubleClickOpensTheRecordInTheDataSetWindowScanned) {
    Survey();
    StringGrid& grid = *window->StringGrid1;
    const int row = RowOfStation(grid, "MYG001");
    ASSERT_GT(row, 0);
    const QRect cell = grid.visualRect(grid.model()->index(row - 1, 1));
    ASSERT_TRUE(cell.isValid());
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_TRUE(SetData->isVisible());
    EXPECT_EQ(SetData->DataFilePath.toStdString(), (folder / grid.cell(0, row).toStdString()).string());
    ASSERT_EQ(SetData->StringGrid1->rowCount(), 4);
    EXPECT_EQ(SetData->StringGrid1->cell(0, 1), QStringLiteral("NS"));
    EXPECT_TRUE(messages.empty());
}

TEST_F(SurveyWindowTest, ADoubleClickOnARecordOfAnArchiveOpensACopyOfItsComponents) {
    const fs::path archive = folder.Path().parent_path() / (folder.Path().filename().string() + ".tar.gz");
    tremvix::survey_testing::WriteArchive(archive, "tar.gz", tremvix::survey_testing::MembersOf(folder.Path()));
    window->Start({archive});
    ASSERT_TRUE(WaitForSurvey(*window));
    StringGrid& grid = *window->StringGrid1;
    const int row = RowOfStation(grid, "NIG001");
    ASSERT_GT(row, 0);
    window->StringGrid1DblClick(row);
    EXPECT_TRUE(messages.empty()) << (messages.empty() ? "" : messages[0].text.toStdString());
    EXPECT_EQ(SetData->ScannedFiles.size(), 3u);
    EXPECT_EQ(QFileInfo(SetData->DataFilePath).fileName(), grid.cell(0, row));
    EXPECT_EQ(Bytes(SetData->DataFilePath.toStdString()), Bytes(folder / grid.cell(0, row).toStdString()));
    fs::remove(archive);
}

TEST_F(SurveyWindowTest, AClickOnAMarkChoosesItsRowAndAChosenRowIsRingedOnTheMap) {
    Survey();
    StringGrid& grid = *window->StringGrid1;
    EventMapView& map = *window->MyMap1;
    ASSERT_EQ(map.Marks().size(), std::size(kStations) - 1) << "the station without a position has no mark";
    const auto markOf = [&](const char* code) {
        const auto& row = window->Table().Entries()[*window->Table().EntryAt(RowOfStation(grid, code))].row;
        const int lon = tremvix::DegreesMinutes(*row.longitude);
        const int lat = tremvix::DegreesMinutes(*row.latitude);
        for (std::size_t m = 0; m < map.Marks().size(); ++m)
            if (map.Marks()[m].lon == lon && map.Marks()[m].lat == lat) return m;
        return map.Marks().size();
    };
    const std::size_t sapporo = markOf("HKD001");
    ASSERT_LT(sapporo, map.Marks().size());
    QTest::mouseClick(&map, Qt::LeftButton, {}, *map.PositionOf(sapporo) + QPoint(1, 1));
    EXPECT_EQ(grid.cell(1, grid.row()), QStringLiteral("HKD001"));
    EXPECT_EQ(map.Selected(), sapporo);

    grid.setCurrentCell(2, RowOfStation(grid, "OKN001"));
    const std::size_t naha = markOf("OKN001");
    EXPECT_EQ(map.Selected(), naha);
    const QPoint at = *map.PositionOf(naha);
    int ringed = 0;
    for (int dx = -10; dx <= 10; ++dx)
        ringed += map.image().pixelColor(at + QPoint(dx, 0)) == QColor(0xE0, 0, 0);
    EXPECT_GE(ringed, 2) << "a red ring round the chosen mark";
    // A click far from any mark changes nothing.
    QTest::mouseClick(&map, Qt::LeftButton, {}, QPoint(map.SCX + 2, map.SCY + map.SCH - 2));
    EXPECT_EQ(grid.cell(1, grid.row()), QStringLiteral("OKN001"));
}

TEST_F(SurveyWindowTest, MarksTakeTheColourOfTheirClassInTheSchemeChosen) {
    Survey();
    EventMapView& map = *window->MyMap1;
    const auto check = [&](tremvix::MarkScheme scheme) {
        const auto& legend = tremvix::Legend(scheme);
        int coloured = 0;
        for (const auto& entry : window->Table().Entries()) {
            if (!entry.row.latitude) continue;
            const auto cls = tremvix::MarkClass(entry.row, scheme);
            const auto at = map.origin_scr(tremvix::DegreesMinutes(*entry.row.longitude), tremvix::DegreesMinutes(*entry.row.latitude));
            ASSERT_TRUE(at && cls) << entry.row.station;
            const std::uint32_t bgr = legend[static_cast<std::size_t>(*cls)].color;
            EXPECT_EQ(map.image().pixelColor(at->x, at->y), QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, bgr >> 16)) << entry.row.station;
            ++coloured;
        }
        EXPECT_EQ(coloured, 7);
    };
    window->StringGrid1->setCurrentCell(0, RowOfStation(*window->StringGrid1, "XXX001"));  // no ring over a mark
    check(tremvix::MarkScheme::Intensity);
    window->RadioGroup1->setItemIndex(2);
    EXPECT_EQ(map.Scheme(), tremvix::MarkScheme::Pga);
    check(tremvix::MarkScheme::Pga);
}

TEST_F(SurveyWindowTest, StoppingKeepsTheRowsDoneWhichBeginTheWholeTable) {
    window->Start({folder.Path()}, 1);
    window->Button3->click();
    ASSERT_TRUE(WaitForSurvey(*window));
    const auto core = tremvix::survey_testing::Survey({folder.Path()}, 1);
    const std::string shown = GridLines(*window->StringGrid1);
    EXPECT_LT(window->StringGrid1->rowCount() - 1 + window->StringGrid2->rowCount() - 1, 10);
    EXPECT_EQ(core.rows.substr(0, shown.size()), shown);
    EXPECT_TRUE(window->Label1->text().contains(QStringLiteral("停止しました"))) << window->Label1->text().toStdString();
    // A new survey after a stop runs whole.
    window->Start({folder.Path()}, 2);
    ASSERT_TRUE(WaitForSurvey(*window));
    EXPECT_EQ(GridLines(*window->StringGrid1), core.rows);
}

TEST_F(SurveyWindowTest, TheMapGoesToAPngFileAndToTheClipboardAsDrawn) {
    Survey();
    const QByteArray png = Saved(window->Button6, "-map.png");
    ASSERT_TRUE(png.startsWith("\x89PNG\r\n\x1a\n"));
    QImage saved;
    ASSERT_TRUE(saved.loadFromData(png, "PNG"));
    const QImage drawn = window->MyMap1->image().convertToFormat(QImage::Format_RGB888);
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB888), drawn);
    window->Button7->click();
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB888), drawn);
}
