#include "ui/widgets/Mystr.h"

TMyStr::TMyStr(QObject* parent) : QObject(parent) {}
