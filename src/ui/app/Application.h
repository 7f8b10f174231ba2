#pragma once

#include <QApplication>
#include <QTranslator>

// The application object: an exception that escapes an event handler is shown in a
// message box and the program goes on, as the toolkit's event loop does.
class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

private:
    QTranslator toolkitTexts_;
};

// Start-up: title, the five windows, a file named on the command line, the event
// loop. The last-resort handler shows anything that escapes; the result is always 0.
int RunTremvix(int argc, char** argv);
