#pragma once

#include <QString>

// The application's title, as the task bar shows it.
inline QString AppTitle() { return QStringLiteral("Tremvix V3.3"); }
