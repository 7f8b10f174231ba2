#pragma once

class TOpen;
class TSetData;
class TVersion;
class THowTo;
class TDataList;

// The five windows of the program, created once and only shown and hidden afterwards.
extern TOpen* Open;
extern TSetData* SetData;
extern TVersion* Version;
extern THowTo* HowTo;
extern TDataList* DataList;

// Creates the five windows in order and shows the main window.
void CreateForms();
// Destroys them; CreateForms may be called again afterwards.
void DestroyForms();
// Hides every window but the main window.
void HideSecondaryWindows();
