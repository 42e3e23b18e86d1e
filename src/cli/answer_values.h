#pragma once
// What an accepted answer put into the gauge model, by the command that
// asked for it: the readings of a reading command, the parameter of a
// parameter read, the identity of a signature or identification answer,
// the block of a block read. Numbers with "." as decimal separator, so
// scripts read them alike on every workstation.

#include <QJsonValue>
#include <QList>
#include <QString>

class Ttolm472;
struct TParameter;

struct TNamedValue {
    QString name; // the model's property or value name
    QString text;
    QJsonValue json;
};

QList<TNamedValue> AnswerValues(int code, const Ttolm472 &model);
// A parameter of the property table as the model holds it now.
TNamedValue ParameterValue(const TParameter &parameter, const Ttolm472 &model);
