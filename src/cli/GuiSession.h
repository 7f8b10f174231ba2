#pragma once

#include <memory>

class QApplication;

namespace tremvix::cli {

// The application object that drawing needs: the one already running (a test that
// calls the command line in-process), or one of its own on the offscreen platform,
// so that no display is needed and the pixels do not depend on one.
class GuiSession {
public:
    GuiSession();
    ~GuiSession();
    GuiSession(const GuiSession&) = delete;
    GuiSession& operator=(const GuiSession&) = delete;

    // False when the running application object cannot make widgets.
    bool CanDraw() const;

private:
    int argc_ = 1;
    char name_[8] = "tremvix";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> own_;
};

}  // namespace tremvix::cli
