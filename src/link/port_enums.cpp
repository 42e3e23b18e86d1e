#include "link/port_enums.h"

#include <array>

namespace {

constexpr std::array kBaudRateTexts{"Custom", "110", "300", "600", "1200", "2400", "4800", "9600",
                                    "14400", "19200", "38400", "56000", "57600", "115200",
                                    "128000", "256000"};
constexpr std::array kBaudRateValues{0, 110, 300, 600, 1200, 2400, 4800, 9600,
                                     14400, 19200, 38400, 56000, 57600, 115200, 128000, 256000};
constexpr std::array kDataBitsTexts{"5", "6", "7", "8"};
constexpr std::array kStopBitsTexts{"1", "1.5", "2"};
constexpr std::array kParityTexts{"None", "Odd", "Even", "Mark", "Space"};
constexpr std::array kFlowControlTexts{"Hardware", "Software", "None", "Custom"};

static_assert(kBaudRateTexts.size() == size_t(TBaudRate::br256000) + 1);
static_assert(kBaudRateValues.size() == kBaudRateTexts.size());
static_assert(kDataBitsTexts.size() == size_t(TDataBits::db8) + 1);
static_assert(kStopBitsTexts.size() == size_t(TStopBits::sb2) + 1);
static_assert(kParityTexts.size() == size_t(TParity::Space) + 1);
static_assert(kFlowControlTexts.size() == size_t(TFlowControl::Custom) + 1);

template <typename Enum, size_t N>
QString toText(const std::array<const char *, N> &texts, Enum value)
{
    const auto index = size_t(value);
    return index < N ? QString::fromLatin1(texts[index]) : QString();
}

template <typename Enum, size_t N>
bool fromText(const std::array<const char *, N> &texts, const QString &text, Enum &value)
{
    const QString wanted = text.trimmed();
    for (size_t i = 0; i < N; ++i) {
        if (wanted == QLatin1String(texts[i])) {
            value = Enum(i);
            return true;
        }
    }
    return false;
}

template <size_t N>
QStringList allTexts(const std::array<const char *, N> &texts)
{
    QStringList out;
    for (const char *t : texts)
        out << QString::fromLatin1(t);
    return out;
}

} // namespace

QString BaudRateToText(TBaudRate value) { return toText(kBaudRateTexts, value); }
QString DataBitsToText(TDataBits value) { return toText(kDataBitsTexts, value); }
QString StopBitsToText(TStopBits value) { return toText(kStopBitsTexts, value); }
QString ParityToText(TParity value) { return toText(kParityTexts, value); }
QString FlowControlToText(TFlowControl value) { return toText(kFlowControlTexts, value); }

bool TextToBaudRate(const QString &text, TBaudRate &value) { return fromText(kBaudRateTexts, text, value); }
bool TextToDataBits(const QString &text, TDataBits &value) { return fromText(kDataBitsTexts, text, value); }
bool TextToStopBits(const QString &text, TStopBits &value) { return fromText(kStopBitsTexts, text, value); }
bool TextToParity(const QString &text, TParity &value) { return fromText(kParityTexts, text, value); }
bool TextToFlowControl(const QString &text, TFlowControl &value) { return fromText(kFlowControlTexts, text, value); }

QStringList BaudRateTexts() { return allTexts(kBaudRateTexts); }
QStringList DataBitsTexts() { return allTexts(kDataBitsTexts); }
QStringList StopBitsTexts() { return allTexts(kStopBitsTexts); }
QStringList ParityTexts() { return allTexts(kParityTexts); }
QStringList FlowControlTexts() { return allTexts(kFlowControlTexts); }

int BaudRateBitsPerSecond(TBaudRate value)
{
    const auto index = size_t(value);
    return index < kBaudRateValues.size() ? kBaudRateValues[index] : 0;
}

int DataBitsCount(TDataBits value) { return 5 + int(value); }
