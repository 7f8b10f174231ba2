// The event window's CSV export and the real program's --survey give the same bytes
// for the same folder (after the window's line of settings).
#include "CliTestSupport.h"
#include "UiTestSupport.h"
#include "survey/EventFiles.h"

#include "ui/app/Uopen.h"
#include "ui/components/Mymap.h"

#include <QAction>
#include <QPushButton>

using namespace survey_ui_testing;

using SurveyWindowAgreementTest = FormsTest;

TEST_F(SurveyWindowAgreementTest, TheWindowsExportIsTheCommandLinesOutput) {
    tremvix::survey_testing::ScratchFolder folder;
    WriteEvent(folder / "event");
    Write(folder / "event" / "BAD0010001011200.NS", Bytes(tremvix::survey_testing::Examples() / "SMP0010001011200.NS"));
    const QString event = QString::fromStdString((folder / "event").string());
    const QString failuresFile = QString::fromStdString((folder / "failures.csv").string());
    const CliResult cli = RunProgram({QStringLiteral("--survey"), event, QStringLiteral("--failures"), failuresFile});
    ASSERT_EQ(cli.status, 1) << "one record refused";

    Open->Survey1->trigger();
    auto* window = qobject_cast<TSurvey*>(TopLevel(QStringLiteral("Survey")));
    ASSERT_NE(window, nullptr);
    window->Start({folder / "event"});
    ASSERT_TRUE(WaitForSurvey(*window));
    const auto saved = [&](QPushButton* button, const char* name) {
        const QString path = QString::fromStdString((folder / name).string());
        Dialogs::SetSaveFileHandler([path](const QString&) { return path; });
        button->click();
        const QByteArray bytes = FileBytes(path);
        EXPECT_TRUE(bytes.startsWith("# "));
        return bytes.mid(bytes.indexOf('\n') + 1);
    };
    EXPECT_EQ(saved(window->Button4, "rows.csv"), cli.out);
    EXPECT_EQ(saved(window->Button5, "window-failures.csv"), FileBytes(failuresFile));
    TMyMap::SetGraticule(0, 0, nullptr);
}
