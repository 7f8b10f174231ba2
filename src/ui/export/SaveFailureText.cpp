#include "ui/export/SaveFailureText.h"

#include "core/export/SaveErrorText.h"

QString SaveFailureText(const QString& what, const tremvix::SaveResult& result) {
    const std::string reason = tremvix::SaveErrorReason(result.errorNumber);
    const QString shown = QString::fromStdString(reason.empty() ? result.error : reason);
    return QStringLiteral("%1を保存できませんでした（%2）").arg(what, shown);
}
