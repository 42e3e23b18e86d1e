#pragma once
// The one place where a new record of this process is announced: the
// outbox sends it, the register window shows it. Emitted in whatever thread
// committed the record; listeners in other threads hear it queued.

#include <QObject>

class TRegisterNews : public QObject
{
    Q_OBJECT
signals:
    void RecordAdded();
};

TRegisterNews &RegisterNews();
