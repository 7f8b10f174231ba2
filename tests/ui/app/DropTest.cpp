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

TEST_F(DropTest, WhatIsNoLocalFileIsNotTaken) {
    EXPECT_FALSE(Drop(Open, {QUrl(QStringLiteral("https://example.org/record.csv"))}));
    DataFiles files;
    EXPECT_FALSE(Drop(Open, {QUrl::fromLocalFile(files.Path(""))})) << "a folder";
    EXPECT_FALSE(SetData->isVisible());
    EXPECT_TRUE(messages.empty());
}
