#pragma once

#include <QString>

// The name a save really writes: the chosen name, with `extension` appended when
// it has none.
QString FinalSaveName(const QString& chosen, const char* extension);
