#include "ui/app/Forms.h"

#include "ui/app/Uhowto.h"
#include "ui/app/Uopen.h"
#include "ui/app/Uversion.h"
#include "ui/base/WindowStyle.h"
#include "ui/data/Usetdata.h"
#include "ui/display/Udatalist.h"

TOpen* Open = nullptr;
TSetData* SetData = nullptr;
TVersion* Version = nullptr;
THowTo* HowTo = nullptr;
TDataList* DataList = nullptr;

void CreateForms() {
    DestroyForms();
    Open = new TOpen;
    CentreOnScreen(Open);
    SetData = new TSetData(Open->DataSetSide());
    CentreOnScreen(SetData);
    Version = new TVersion;
    CentreOnScreen(Version);
    HowTo = new THowTo;
    CentreOnScreen(HowTo);
    DataList = new TDataList;
    DataList->move(784, 409);
    Open->show();
}

// Destroyed in reverse order: the later windows may still point at the main window.
void DestroyForms() {
    delete DataList;
    DataList = nullptr;
    delete HowTo;
    HowTo = nullptr;
    delete Version;
    Version = nullptr;
    delete SetData;
    SetData = nullptr;
    delete Open;
    Open = nullptr;
}

void HideSecondaryWindows() {
    if (SetData) SetData->hide();
    if (Version) Version->hide();
    if (HowTo) HowTo->hide();
    if (DataList) DataList->hide();
}
