#include "ui/app/Application.h"

#include "ui/base/AppTitle.h"
#include "ui/app/Forms.h"
#include "ui/app/Logo.h"
#include "ui/base/HandlerCall.h"
#include "ui/base/ToolkitTranslations.h"
#include "core/survey/ArchiveReader.h"
#include "ui/app/Uopen.h"
#include "ui/base/WindowStyle.h"
#include "ui/data/Usetdata.h"
#include "ui/survey/Usurvey.h"

#include <QFile>

#include <filesystem>

#include <QIcon>
#include <QPixmap>
#include <QStringList>

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    InstallToolkitTranslations(toolkitTexts_);
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowHandlerException();
        return false;
    }
}

namespace {

// A small and a large drawing; the toolkit scales them to the sizes in between,
// so start-up draws no more than two.
QIcon ApplicationIcon() {
    QIcon icon;
    for (const int size : {32, 256}) icon.addPixmap(QPixmap::fromImage(TremvixIcon(size)));
    return icon;
}

// A folder or an archive is a whole event for the event window, as when dropped;
// anything else a record for the data set window.
void OpenArgument(const QString& argument) {
    const std::filesystem::path path(QFile::encodeName(argument).toStdString());
    std::error_code error;
    if (std::filesystem::is_directory(path, error) || tremvix::HasArchiveExtension(path)) {
        TSurvey* survey = Open->SurveyWindow();
        ShowWindow(survey);
        survey->Start({path});
    } else {
        SetData->OpenFromCommandLine(argument);
    }
}

}  // namespace

int RunTremvix(int argc, char** argv) {
    try {
        TApplication app(argc, argv);
        TApplication::setApplicationName(AppTitle());
        TApplication::setDesktopFileName(QStringLiteral("org.tremvix.Tremvix"));
        TApplication::setWindowIcon(ApplicationIcon());
        TApplication::setApplicationDisplayName(QString());
        CreateForms();
        const QStringList arguments = TApplication::arguments();
        if (arguments.size() > 1) OpenArgument(arguments.at(1));
        const int status = TApplication::exec();
        DestroyForms();
        (void)status;
    } catch (...) {
        ShowHandlerException();
    }
    return 0;
}
