// A non-visual container of components. A language component placed on one classifies it as a
// data module: the form translator does nothing there, the message translator works as usual.
#pragma once

#include <QObject>

class DataModule : public QObject
{
    Q_OBJECT

public:
    explicit DataModule(QObject* parent = nullptr)
        : QObject(parent)
    { }
};
