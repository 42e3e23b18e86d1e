#pragma once
// Where descriptors keep their texts and display settings: sections of
// keys with string, integer and floating-point values. The program's INI
// files implement it; the descriptors know nothing of files.

#include <QString>

class TSettingsStore
{
public:
    virtual ~TSettingsStore() = default;

    virtual QString ReadString(const QString &section, const QString &key, const QString &def) const = 0;
    virtual qint64 ReadInt64(const QString &section, const QString &key, qint64 def) const = 0;
    virtual double ReadFloat(const QString &section, const QString &key, double def) const = 0;

    virtual void WriteString(const QString &section, const QString &key, const QString &value) = 0;
    virtual void WriteInteger(const QString &section, const QString &key, qint64 value) = 0;
    virtual void WriteFloat(const QString &section, const QString &key, double value) = 0;
};
