// The usage window tells of everything a user can open and every way into the analyses.
#include "UiTestSupport.h"

#include "ui/app/Uhowto.h"
#include "ui/app/Uopen.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>

using HowToTest = FormsTest;

TEST_F(HowToTest, TheUsageTextNamesEveryLayoutAndThePopupsAnalysisItems) {
    const QString text = HowTo->Memo1->toPlainText();
    for (const char* layout : {"標準形式", "E-Defence", "K-NET", "KiK-net", "気象庁", "PEER", "AT2"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(layout))) << layout;
    // Every item after the pop-up's separator opens an analysis; each is named where the
    // text speaks of the right click.
    bool afterSeparator = false;
    int analysisItems = 0;
    for (QAction* item : Open->PopupMenu1->actions()) {
        if (item->isSeparator()) {
            afterSeparator = true;
            continue;
        }
        if (!afterSeparator) continue;
        ++analysisItems;
        EXPECT_TRUE(text.contains(QStringLiteral("右クリックしたメニューの「%1」").arg(item->text()))) << item->text().toStdString();
    }
    EXPECT_GE(analysisItems, 1);
}
