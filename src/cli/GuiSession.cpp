#include "cli/GuiSession.h"

#include <QApplication>

#include <cstdio>

namespace tremvix::cli {

namespace {

// Batch runs (cron, root shells) often have no runtime folder; the toolkit's remark
// about it is no business of the command's output.
void QuietAboutRuntimeFolder(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("QStandardPaths:"))) return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

}  // namespace

GuiSession::GuiSession() {
    if (QCoreApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietAboutRuntimeFolder);
    own_ = std::make_unique<QApplication>(argc_, argv_);
}

GuiSession::~GuiSession() = default;

bool GuiSession::CanDraw() const { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

}  // namespace tremvix::cli
