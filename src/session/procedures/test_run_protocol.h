#pragma once
// The protocol of a finished test run, kept for every gauge a factory
// ships: written without asking into the archive's folder of the day when
// a run stops with its five points, as the report page (PDF, made by the
// window) and as a CSV table, both named after the gauge's plant number and
// the time the run stopped.

#include <QDateTime>
#include <QString>
#include <QStringList>

class Ttolm472;

// "Progon_PN00001_20261209_101500" (no extension).
QString TestRunProtocolBaseName(uint16_t plantNumber, const QDateTime &stopped);

// Whether every point of the run was captured: the protocol is written
// only then.
bool TestRunComplete(const Ttolm472 &model);

// The CSV's lines: the gauge's identifiers (plant number, "№ Н/З", "№ ППМ",
// program type), then the table's seven columns with the grid's decimals
// and the time of each capture.
QStringList TestRunProtocolLines(const Ttolm472 &model);
// Creates the day folder when missing; false with a one-line Russian
// `error` when the file cannot be written.
bool WriteTestRunProtocolCsv(const QString &path, const Ttolm472 &model, QString &error);
