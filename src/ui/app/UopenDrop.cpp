// Files dropped from a file manager: the first local file is scanned as if it had
// been chosen in the data set window's open dialog. The other components of a
// network record come with it by themselves, found beside it; whatever else was
// dropped with it is not opened, and the user is told so. Folders and archives
// are whole events: the event window surveys them.
#include "core/data/DroppedPaths.h"
#include "core/survey/ArchiveReader.h"
#include "ui/app/Forms.h"
#include "ui/app/Uopen.h"
#include "ui/base/Dialogs.h"
#include "ui/base/WindowStyle.h"
#include "ui/data/Usetdata.h"
#include "ui/survey/Usurvey.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include <filesystem>
#include <vector>

namespace {

namespace fs = std::filesystem;

tremvix::DroppedPaths DroppedOf(const QMimeData* data) {
    std::vector<fs::path> paths;
    if (data && data->hasUrls())
        for (const QUrl& url : data->urls())
            if (const QString path = url.toLocalFile(); !path.isEmpty()) paths.emplace_back(path.toStdString());
    return tremvix::SortDroppedPaths(paths);
}

QString NameOf(const fs::path& path) { return QFileInfo(QString::fromStdString(path.string())).fileName(); }

void Tell(const QString& text) {
    Dialogs::MessageBox(text + QString(5, QChar(0x3000)), QStringLiteral("お知らせ"), Dialogs::kOkExclamation);
}

void TellLeftOut(const fs::path& opened, const std::vector<fs::path>& left) {
    if (left.empty()) return;
    Tell(QStringLiteral("一度に開ける記録は1つです。「%1」を開きました。ほかの%2個のファイル（「%3」など）は開いていません")
             .arg(NameOf(opened))
             .arg(left.size())
             .arg(NameOf(left.front())));
}

// The folders and the archives among the dropped paths, taken out of them.
std::vector<fs::path> TakeEvents(tremvix::DroppedPaths& dropped) {
    std::vector<fs::path> events = std::move(dropped.folders);
    dropped.folders.clear();
    std::vector<fs::path> files;
    for (fs::path& file : dropped.files) (tremvix::HasArchiveExtension(file) ? events : files).push_back(std::move(file));
    dropped.files = std::move(files);
    return events;
}

}  // namespace

void TOpen::dragEnterEvent(QDragEnterEvent* event) {
    const tremvix::DroppedPaths dropped = DroppedOf(event->mimeData());
    if (dropped.files.empty() && dropped.folders.empty()) return event->ignore();
    event->acceptProposedAction();
}

void TOpen::dropEvent(QDropEvent* event) {
    tremvix::DroppedPaths dropped = DroppedOf(event->mimeData());
    if (dropped.files.empty() && dropped.folders.empty()) return event->ignore();
    event->acceptProposedAction();
    if (const std::vector<fs::path> events = TakeEvents(dropped); !events.empty()) {
        TSurvey* survey = SurveyWindow();
        ShowWindow(survey);
        survey->Start(events);
    }
    if (dropped.files.empty()) return;
    const fs::path& first = dropped.files.front();
    SetData->OpenFromCommandLine(QString::fromStdString(first.string()));
    // A refused scan leaves the record listed before: only the file dropped first was tried.
    const bool opened = SetData->DataFilePath == QString::fromStdString(first.string());
    TellLeftOut(first, tremvix::FilesLeftOut(dropped.files, opened ? SetData->ScannedFiles : std::vector<fs::path>{first}));
}
