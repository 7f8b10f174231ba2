// Files dropped on the main window from a file manager.
#include "DataFiles.h"
#include "UiTestSupport.h"

#include "core/survey/SurveyTestFiles.h"
#include "ui/app/Uopen.h"
#include "ui/components/Mymap.h"
#include "ui/survey/Usurvey.h"
#include "ui/data/Usetdata.h"
#include "ui/widgets/StringGrid.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QTest>
#include <QUrl>

namespace {

// Sends a drag entering the window and, when it is accepted, the drop.
bool Drop(QWidget* window, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(300, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(300, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &drop);
    return drop.isAccepted();
}

}  // namespace

using DropTest = FormsTest;

TEST_F(DropTest, ADroppedFileOpensTheDataSetWindowScanned) {
    ASSERT_TRUE(Open->acceptDrops());
    ASSERT_FALSE(SetData->isVisible());
    EXPECT_TRUE(Drop(Open, {QUrl::fromLocalFile(ExampleFile("sample_standard.csv"))}));
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(SetData->isVisible());
    EXPECT_EQ(SetData->Label1->text(), QStringLiteral("sample_standard.csv"));
    EXPECT_EQ(SetData->StringGrid1->cell(0, 1), QStringLiteral("ACC-NS"));
}

TEST_F(DropTest, SeveralComponentsOfARecordDroppedTogetherAreAllListed) {
    const QString folder = ExampleFile("network") + QLatin1Char('/');
    EXPECT_TRUE(Drop(Open, {QUrl::fromLocalFile(folder + "SMP0010001011200.UD"), QUrl::fromLocalFile(folder + "SMP0010001011200.NS"),
                            QUrl::fromLocalFile(folder + "SMP0010001011200.EW")}));
    ASSERT_EQ(SetData->StringGrid1->rowCount(), 4);
    EXPECT_EQ(SetData->StringGrid1->cell(0, 1), "NS");
    EXPECT_EQ(SetData->StringGrid1->cell(0, 2), "EW");
    EXPECT_EQ(SetData->StringGrid1->cell(0, 3), "UD");
}

TEST_F(DropTest, WhatIsNoLocalFileIsNotTakenAndAFolderIsSurveyed) {
    EXPECT_FALSE(Drop(Open, {QUrl(QStringLiteral("https://example.org/record.csv"))}));
    EXPECT_FALSE(SetData->isVisible());
    EXPECT_TRUE(messages.empty());

    // A folder is a whole event: the event window surveys it, the data set window stays shut.
    EXPECT_TRUE(Drop(Open, {QUrl::fromLocalFile(ExampleFile("network"))}));
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(SetData->isVisible());
    auto* survey = qobject_cast<TSurvey*>(TopLevel(QStringLiteral("Survey")));
    ASSERT_NE(survey, nullptr);
    EXPECT_TRUE(survey->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([survey] { return !survey->Running(); }, 60000));
    const auto core = tremvix::survey_testing::Survey({tremvix::survey_testing::Examples()}, 1);
    EXPECT_GE(core.counts.rows, 4u);
    EXPECT_EQ(static_cast<std::size_t>(survey->StringGrid1->rowCount() - 1), core.counts.rows);
    TMyMap::SetGraticule(0, 0, nullptr);
}

TEST_F(DropTest, AnArchiveDroppedWithARecordIsSurveyedAndTheRecordOpened) {
    DataFiles files;
    const QString archive = files.Write("event.zip", QByteArray());
    tremvix::survey_testing::WriteArchive(archive.toStdString(), "zip",
                                          tremvix::survey_testing::MembersOf(tremvix::survey_testing::Examples()));
    EXPECT_TRUE(Drop(Open, {QUrl::fromLocalFile(archive), QUrl::fromLocalFile(ExampleFile("sample_standard.csv"))}));
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(SetData->isVisible());
    EXPECT_EQ(SetData->Label1->text(), QStringLiteral("sample_standard.csv"));
    auto* survey = qobject_cast<TSurvey*>(TopLevel(QStringLiteral("Survey")));
    ASSERT_NE(survey, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([survey] { return !survey->Running(); }, 60000));
    EXPECT_EQ(static_cast<std::size_t>(survey->StringGrid1->rowCount() - 1),
              tremvix::survey_testing::Survey({tremvix::survey_testing::Examples()}, 1).counts.rows);
    TMyMap::SetGraticule(0, 0, nullptr);
}

TEST_F(DropTest, FilesOfAnotherRecordDroppedAlongAreNamedAsNotOpened) {
    const QString folder = ExampleFile("network") + QLatin1Char('/');
    EXPECT_TRUE(Drop(Open, {QUrl::fromLocalFile(folder + "SMP0010001011200.NS"), QUrl::fromLocalFile(folder + "SMP0010001011200.EW"),
                            QUrl::fromLocalFile(ExampleFile("sample_standard.csv")),
                            QUrl::fromLocalFile(folder + "SMPH010001011200.NS1")}));
    EXPECT_EQ(SetData->Label1->text(), QStringLiteral("SMP0010001011200.NS"));
    ASSERT_EQ(messages.size(), 1u);
    const QString told = messages[0].text;
    EXPECT_TRUE(told.contains(QStringLiteral("SMP0010001011200.NS"))) << told.toStdString();
    EXPECT_TRUE(told.contains(QStringLiteral("2個"))) << "the EW component came with its record";
    EXPECT_TRUE(told.contains(QStringLiteral("sample_standard.csv"))) << told.toStdString();
}
