#pragma once
// Line settings of the serial port as the settings file and the
// communication window name them. The texts are the ones the Windows
// workstations write into "ComPort.ini", so files move between them and this
// program unchanged; conversion goes both ways.

#include <QString>
#include <QStringList>

enum class TBaudRate {
    Custom, br110, br300, br600, br1200, br2400, br4800, br9600, br14400,
    br19200, br38400, br56000, br57600, br115200, br128000, br256000
};
enum class TDataBits { db5, db6, db7, db8 };
enum class TStopBits { sb1, sb1_5, sb2 };
enum class TParity { None, Odd, Even, Mark, Space };
enum class TFlowControl { Hardware, Software, None, Custom };

QString BaudRateToText(TBaudRate value);
QString DataBitsToText(TDataBits value);
QString StopBitsToText(TStopBits value);
QString ParityToText(TParity value);
QString FlowControlToText(TFlowControl value);

// Exact text (surrounding blanks ignored) to the value; false and `value`
// untouched when the text names no value.
bool TextToBaudRate(const QString &text, TBaudRate &value);
bool TextToDataBits(const QString &text, TDataBits &value);
bool TextToStopBits(const QString &text, TStopBits &value);
bool TextToParity(const QString &text, TParity &value);
bool TextToFlowControl(const QString &text, TFlowControl &value);

// Every text in enumeration order (for the setup dialog's lists).
QStringList BaudRateTexts();
QStringList DataBitsTexts();
QStringList StopBitsTexts();
QStringList ParityTexts();
QStringList FlowControlTexts();

// Bits per second of a baud rate; 0 for "Custom", which leaves the port's
// speed as it is.
int BaudRateBitsPerSecond(TBaudRate value);
int DataBitsCount(TDataBits value);
