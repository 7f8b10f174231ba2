// Files dropped from a file manager: the first local file is scanned as if it had
// been chosen in the data set window's open dialog. The other components of a
// network record come with it by themselves, found beside it.
#include "ui/app/Forms.h"
#include "ui/app/Uopen.h"
#include "ui/data/Usetdata.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace {

QString FirstLocalFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    for (const QUrl& url : data->urls()) {
        const QString path = url.toLocalFile();
        if (!path.isEmpty() && QFileInfo(path).isFile()) return path;
    }
    return {};
}

}  // namespace

void TOpen::dragEnterEvent(QDragEnterEvent* event) {
    if (FirstLocalFile(event->mimeData()).isEmpty()) return event->ignore();
    event->acceptProposedAction();
}

void TOpen::dropEvent(QDropEvent* event) {
    const QString file = FirstLocalFile(event->mimeData());
    if (file.isEmpty()) return event->ignore();
    event->acceptProposedAction();
    SetData->OpenFromCommandLine(file);
}
