#include "link/port_parameters.h"

#include "app/ini_file.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kBaudRate = QStringLiteral("BaudRate");
const QString kDataBits = QStringLiteral("DataBits");
const QString kStopBits = QStringLiteral("StopBits");
const QString kParity = QStringLiteral("Parity");
const QString kFlowControl = QStringLiteral("FlowControl");
const QString kReadInterval = QStringLiteral("ReadInterval");
const QString kReadTotalConstant = QStringLiteral("ReadTotalConstant");
const QString kReadTotalMultiplier = QStringLiteral("ReadTotalMultiplier");
const QString kWriteTotalConstant = QStringLiteral("WriteTotalConstant");
const QString kWriteTotalMultiplier = QStringLiteral("WriteTotalMultiplier");

template <typename Enum>
void readEnum(const TIniFile &ini, const QString &section, const QString &key, Enum &value,
              bool (*fromText)(const QString &, Enum &))
{
    if (ini.ValueExists(section, key))
        fromText(ini.ReadString(section, key, QString()), value);
}

// A time-out cannot be negative; a damaged value keeps the present one.
void readTime(const TIniFile &ini, const QString &section, const QString &key, int &value)
{
    const int read = ini.ReadInteger(section, key, value);
    if (read >= 0)
        value = read;
}

} // namespace

QString ComPortSettingsFile(const QString &programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("INI/ComPort.ini"));
}

TPortParameters::TPortParameters(const QString &programFolder)
    : FileName(ComPortSettingsFile(programFolder))
{
}

bool TPortParameters::Load(const TIniFile *ini)
{
    if (!ini)
        return false;
    readEnum(*ini, Section, kBaudRate, BaudRate, &TextToBaudRate);
    readEnum(*ini, Section, kDataBits, DataBits, &TextToDataBits);
    readEnum(*ini, Section, kStopBits, StopBits, &TextToStopBits);
    readEnum(*ini, Section, kParity, Parity, &TextToParity);
    readEnum(*ini, Section, kFlowControl, FlowControl, &TextToFlowControl);
    readTime(*ini, Section, kReadInterval, ReadInterval);
    readTime(*ini, Section, kReadTotalConstant, ReadTotalConstant);
    readTime(*ini, Section, kReadTotalMultiplier, ReadTotalMultiplier);
    readTime(*ini, Section, kWriteTotalConstant, WriteTotalConstant);
    readTime(*ini, Section, kWriteTotalMultiplier, WriteTotalMultiplier);
    return true;
}

bool TPortParameters::Save(TIniFile *ini) const
{
    if (!ini)
        return false;
    ini->WriteString(Section, kBaudRate, BaudRateToText(BaudRate));
    ini->WriteString(Section, kDataBits, DataBitsToText(DataBits));
    ini->WriteString(Section, kStopBits, StopBitsToText(StopBits));
    ini->WriteString(Section, kParity, ParityToText(Parity));
    ini->WriteString(Section, kFlowControl, FlowControlToText(FlowControl));
    ini->WriteInteger(Section, kReadInterval, ReadInterval);
    ini->WriteInteger(Section, kReadTotalConstant, ReadTotalConstant);
    ini->WriteInteger(Section, kReadTotalMultiplier, ReadTotalMultiplier);
    ini->WriteInteger(Section, kWriteTotalConstant, WriteTotalConstant);
    ini->WriteInteger(Section, kWriteTotalMultiplier, WriteTotalMultiplier);
    return true;
}

void TPortParameters::LoadFromFile()
{
    if (!QFileInfo(FileName).isFile())
        return;
    const TIniFile ini(FileName);
    Load(&ini);
}

qint64 TPortParameters::ReadTotalTimeout(int maxLength) const
{
    return qint64(ReadTotalConstant) + qint64(qMax(0, maxLength)) * ReadTotalMultiplier;
}

qint64 TPortParameters::WriteTotalTimeout(int byteCount) const
{
    return qint64(WriteTotalConstant) + qint64(qMax(0, byteCount)) * WriteTotalMultiplier;
}
