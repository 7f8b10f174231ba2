#pragma once

#include "core/export/AtomicFile.h"

#include <QString>

// "<what>を保存できませんでした（<reason>）": the reason in Japanese where the system
// gave a cause the user can act on, else the system's own text.
QString SaveFailureText(const QString& what, const tremvix::SaveResult& result);
