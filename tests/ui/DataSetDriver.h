#pragma once

#include "ui/base/Dialogs.h"
#include "ui/app/Forms.h"
#include "ui/data/Usetdata.h"
#include "ui/widgets/StringGrid.h"

#include <QPushButton>
#include <QString>

#include <initializer_list>

// The data set window driven as a user does: a file chosen in its open dialog,
// rows marked, the transfer pressed.
inline void Scan(const QString& path) {
    Dialogs::SetOpenFileHandler([path](const QString&) { return path; });
    SetData->Button2->click();
}

// Exactly these rows marked, whatever was marked before.
inline void Mark(std::initializer_list<int> rows) {
    SetData->Button3->click();
    for (const int r : rows) SetData->StringGrid1->setCell(4, r, SetData->kMark);
}
