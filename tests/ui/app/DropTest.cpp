// Files dropped on the main window from a file manager.
#include "DataFiles.h"
#include "UiTestSupport.h"

#include "ui/app/Uopen.h"
#include "ui/data/Usetdata.h"
#include "ui/widgets/StringGrid.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
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

TEST_F(DropTest, WhatIsNoLocalFileIsNotTakenAndAFolderIsTold) {
    EXPECT_FALSE(Drop(Open, {QUrl(QStringLiteral("https://example.org/record.csv"))}));
    EXPECT_FALSE(SetData->isVisible());
    EXPECT_TRUE(messages.empty());

    DataFiles files;
    EXPECT_TRUE(Drop(Open, {QUrl::fromLocalFile(files.Path(""))}));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("フォルダ"))) << messages[0].text.toStdString();
    EXPECT_FALSE(SetData->isVisible()) << "nothing is opened";
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
