#include "ui/app/Application.h"

#include "ui/base/AppTitle.h"
#include "ui/app/Forms.h"
#include "ui/base/HandlerCall.h"
#include "ui/data/Usetdata.h"

#include <QStringList>

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowHandlerException();
        return false;
    }
}

int RunTremvix(int argc, char** argv) {
    try {
        TApplication app(argc, argv);
        TApplication::setApplicationName(AppTitle());
        TApplication::setApplicationDisplayName(QString());
        CreateForms();
        const QStringList arguments = TApplication::arguments();
        if (arguments.size() > 1) SetData->OpenFromCommandLine(arguments.at(1));
        const int status = TApplication::exec();
        DestroyForms();
        (void)status;
    } catch (...) {
        ShowHandlerException();
    }
    return 0;
}
