#pragma once

#include <QObject>

// The non-visual field-splitting component. It has no properties or operations of
// its own: the splitting itself is the free function SplitFields of the core, and
// the windows that place one keep it only as part of their form.
class TMyStr : public QObject {
    Q_OBJECT
public:
    explicit TMyStr(QObject* parent = nullptr);
};
