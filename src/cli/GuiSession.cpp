#include "cli/GuiSession.h"

#include <QApplication>

namespace tremvix::cli {

GuiSession::GuiSession() {
    if (QCoreApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    own_ = std::make_unique<QApplication>(argc_, argv_);
}

GuiSession::~GuiSession() = default;

bool GuiSession::CanDraw() const { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

}  // namespace tremvix::cli
