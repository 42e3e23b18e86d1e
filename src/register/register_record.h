#pragma once
// One record of the gauge register: something that happened to a gauge on
// a bench and that the factory keeps by the gauge's plant number: a
// finished test run, a calibration write, a configuration snapshot (a
// backup, a saved parameter set, all parameters written) or a service
// bundle saved. Besides the plant number it names the gauge (model,
// hardware and software versions, program type), the bench and the
// operator, the program's version and the time, in UTC with the bench's
// offset, so a record reads the same on every bench of the factory.
//
// The key is made once, when the record is first committed on its bench,
// and goes with it to the server: a record sent twice is still one record.

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QString>

#include <optional>

enum class TRecordKind { TestRun, Calibration, Configuration, Bundle };

// "testrun", "calibration", "configuration", "bundle": the kinds as the
// register stores them and tolm-cli names them.
QString RecordKindName(TRecordKind kind);
std::optional<TRecordKind> RecordKindFromName(const QString &name);
// "Прогон", "Калибровка", "Параметры", "Пакет для сервиса".
QString RecordKindTitle(TRecordKind kind);

struct TRegisterRecord {
    qint64 Id = 0;     // in the database it was read from; 0 before it is stored
    QString Key;       // the idempotent key, made at the first commit
    QString Bench;     // [Bench] Name of INI/Register.ini
    qint64 BenchSeq = 0; // the record's number on its bench: the order it is sent in
    int Plant = 0;
    TRecordKind Kind = TRecordKind::Configuration;
    QString Model;
    int HardVersion = 0;
    int SoftVersion = 0;
    int ProgramType = 0;
    QString User;
    QString ProgramVersion;
    QDateTime Time; // local time of the bench, with its offset from UTC
    std::optional<bool> Passed; // a test run's verdict; nothing for the other kinds
    QString Summary;     // one line for the register's list
    QJsonObject Details; // the values of the record, by kind
    QString DocumentName; // the protocol PDF, the parameter-set file, the bundle's name
    QByteArray Document;  // its bytes; empty when not loaded or nothing kept (a bundle)
};

// "2026-12-09T10:15:00.000+03:00".
QString RecordTimeText(const QDateTime &time);
// The same instant as UTC, sortable text: "2026-12-09T07:15:00.000Z".
QString RecordUtcText(const QDateTime &time);
// The time stored as UTC text and offset (seconds east), back with the
// bench's offset.
QDateTime RecordTimeFromUtc(const QString &utc, int offsetSeconds);
