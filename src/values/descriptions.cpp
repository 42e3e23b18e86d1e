#include "values/descriptions.h"

#include "values/settings_store.h"

#include <limits>

namespace {

const QString keyTitle = QStringLiteral("Title");
const QString keyHint = QStringLiteral("Hint");

const std::array<QString, 3> stateNames = {
    QStringLiteral("tsUnknown"),
    QStringLiteral("tsFalse"),
    QStringLiteral("tsTrue"),
};

// "Captions[tsFalse]" and the like: one key per state.
QString stateKey(const char *field, int state)
{
    return QLatin1String(field) + QLatin1Char('[') + stateNames[size_t(state)] + QLatin1Char(']');
}

// Integer keys of the descriptors hold bytes or colours; a number that does
// not fit the field counts as unreadable, and the default stays.
qint64 readInRange(const TSettingsStore &ini, const QString &section, const QString &key, qint64 def, qint64 low, qint64 high)
{
    const qint64 value = ini.ReadInt64(section, key, def);
    return value >= low && value <= high ? value : def;
}

// Colours go to the file as the workstations write them: a signed 32-bit
// integer (the button-face colour 0x8000000F is -2147483633); both that
// and the unsigned form read back.
uint32_t readColor(const TSettingsStore &ini, const QString &section, const QString &key, uint32_t def)
{
    return uint32_t(readInRange(ini, section, key, def, std::numeric_limits<int32_t>::min(),
                                std::numeric_limits<uint32_t>::max()));
}

uint8_t readByte(const TSettingsStore &ini, const QString &section, const QString &key, uint8_t def)
{
    return uint8_t(readInRange(ini, section, key, def, 0, 255));
}

} // namespace

// --- TDescriptionOfCustomValue ---------------------------------------------

TDescriptionOfCustomValue::TDescriptionOfCustomValue()
    : Name(QStringLiteral("DescriptionOfCustomValue"))
{
}

void TDescriptionOfCustomValue::SetOwner(const TDescriptionOfCustomValue &owner)
{
    SetSection(owner.Section + QLatin1Char('.') + Name);
    SetFileName(owner.FileName);
}

// What is shown comes over; the name of the class and the place where the
// descriptor is kept stay its own, so a copy never saves over its original.
void TDescriptionOfCustomValue::Assign(const TDescriptionOfCustomValue &source)
{
    Title = source.Title;
    Hint = source.Hint;
}

void TDescriptionOfCustomValue::LoadFrom(const TSettingsStore &ini)
{
    Title = ini.ReadString(Section, keyTitle, Title);
    Hint = ini.ReadString(Section, keyHint, Hint);
}

void TDescriptionOfCustomValue::SaveTo(TSettingsStore &ini) const
{
    ini.WriteString(Section, keyTitle, Title);
    ini.WriteString(Section, keyHint, Hint);
}

// --- TDescriptionOfValue ---------------------------------------------------

TDescriptionOfValue::TDescriptionOfValue()
{
    Name = QStringLiteral("DescriptionOfValue");
}

// --- TDescriptionOfThreeStates ---------------------------------------------

TDescriptionOfThreeStates::TDescriptionOfThreeStates()
    : Captions{QStringLiteral("Unknown"), QStringLiteral("Off"), QStringLiteral("On")}
    , Color1{0x808080, 0x0000FF, 0x00FF00}     // grey, red, lime
    , Color2{0x8000000F, 0x8000000F, 0x8000000F} // the system's button face
{
    Name = QStringLiteral("DescriptionOfThreeStates");
}

void TDescriptionOfThreeStates::Assign(const TDescriptionOfCustomValue &source)
{
    TDescriptionOfValue::Assign(source);
    if (const auto *states = dynamic_cast<const TDescriptionOfThreeStates *>(&source)) {
        Captions = states->Captions;
        Color1 = states->Color1;
        Color2 = states->Color2;
    }
}

void TDescriptionOfThreeStates::SetCaptions(const QString &unknown, const QString &off, const QString &on)
{
    Captions = {unknown, off, on};
}

void TDescriptionOfThreeStates::SetColors1(uint32_t unknown, uint32_t off, uint32_t on)
{
    Color1 = {unknown, off, on};
}

void TDescriptionOfThreeStates::SetColors2(uint32_t unknown, uint32_t off, uint32_t on)
{
    Color2 = {unknown, off, on};
}

void TDescriptionOfThreeStates::SetCaption(TThreeStates state, const QString &text)
{
    if (state <= tsTrue)
        Captions[state] = text;
}

void TDescriptionOfThreeStates::LoadFrom(const TSettingsStore &ini)
{
    TDescriptionOfValue::LoadFrom(ini);
    for (int s = 0; s < 3; ++s)
        Captions[size_t(s)] = ini.ReadString(Section, stateKey("Captions", s), Captions[size_t(s)]);
    for (int s = 0; s < 3; ++s)
        Color1[size_t(s)] = readColor(ini, Section, stateKey("Color1", s), Color1[size_t(s)]);
    for (int s = 0; s < 3; ++s)
        Color2[size_t(s)] = readColor(ini, Section, stateKey("Color2", s), Color2[size_t(s)]);
}

void TDescriptionOfThreeStates::SaveTo(TSettingsStore &ini) const
{
    TDescriptionOfValue::SaveTo(ini);
    for (int s = 0; s < 3; ++s)
        ini.WriteString(Section, stateKey("Captions", s), Captions[size_t(s)]);
    for (int s = 0; s < 3; ++s)
        ini.WriteInteger(Section, stateKey("Color1", s), int32_t(Color1[size_t(s)]));
    for (int s = 0; s < 3; ++s)
        ini.WriteInteger(Section, stateKey("Color2", s), int32_t(Color2[size_t(s)]));
}

// --- TDescriptionOfDouble --------------------------------------------------

TDescriptionOfDouble::TDescriptionOfDouble()
{
    Name = QStringLiteral("DescriptionOfValue");
}

void TDescriptionOfDouble::Assign(const TDescriptionOfCustomValue &source)
{
    TDescriptionOfValue::Assign(source);
    if (const auto *number = dynamic_cast<const TDescriptionOfDouble *>(&source)) {
        Dimension = number->Dimension;
        m_min = number->m_min;
        m_max = number->m_max;
        Format = number->Format;
        Precision = number->Precision;
        Digits = number->Digits;
    }
}

// The comparisons are written so that NaN is never taken: it would make
// every later range check of the gauge model pass or fail at random.
void TDescriptionOfDouble::SetMin(double x)
{
    if (x <= m_max)
        m_min = x;
}

void TDescriptionOfDouble::SetMax(double x)
{
    if (x >= m_min)
        m_max = x;
}

void TDescriptionOfDouble::SetRange(double max, double min)
{
    if (min <= max) {
        m_min = min;
        m_max = max;
    }
}

void TDescriptionOfDouble::LoadFrom(const TSettingsStore &ini)
{
    TDescriptionOfValue::LoadFrom(ini);
    const double max = ini.ReadFloat(Section, QStringLiteral("Max"), m_max);
    const double min = ini.ReadFloat(Section, QStringLiteral("Min"), m_min);
    SetRange(max, min);
    Dimension = ini.ReadString(Section, QStringLiteral("Dimension"), Dimension);
    // A file without the key gives the exponent format, as on the workstations.
    const uint8_t format = readByte(ini, Section, QStringLiteral("Format"), ffExponent);
    Format = format <= ffNumber ? format : uint8_t(ffExponent);
    Precision = readByte(ini, Section, QStringLiteral("Precision"), Precision);
    Digits = readByte(ini, Section, QStringLiteral("Digits"), Digits);
}

void TDescriptionOfDouble::SaveTo(TSettingsStore &ini) const
{
    TDescriptionOfValue::SaveTo(ini);
    ini.WriteFloat(Section, QStringLiteral("Max"), m_max);
    ini.WriteFloat(Section, QStringLiteral("Min"), m_min);
    ini.WriteString(Section, QStringLiteral("Dimension"), Dimension);
    ini.WriteInteger(Section, QStringLiteral("Format"), Format);
    ini.WriteInteger(Section, QStringLiteral("Precision"), Precision);
    ini.WriteInteger(Section, QStringLiteral("Digits"), Digits);
}
