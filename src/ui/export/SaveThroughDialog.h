#pragma once

#include "core/export/AtomicFile.h"

#include <QString>

#include <functional>

// Saving from any window: a name from the save dialog (the extension added when it
// has none), a question before an existing file is replaced, the save itself, and a
// message when it failed. `what` names the content in the failure message.
void SaveThroughDialog(const QString& filter, const char* extension, const QString& what,
                       const std::function<tremvix::SaveResult(const QString& name)>& save);
