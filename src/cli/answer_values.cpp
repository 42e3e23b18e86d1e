#include "cli/answer_values.h"

#include "protocol/command_codes.h"
#include "device/parameter_table.h"
#include "device/readings.h"
#include "device/tolm472.h"

#include <QJsonArray>

namespace {

// A reading under the name the archive keeps it by.
TNamedValue reading(TReadingKind kind, const TIODouble &value)
{
    const double v = value.AsDouble();
    return {QString::fromLatin1(DescribeReading(kind).Name), QString::number(v, 'f', value.Description.Digits), v};
}

TNamedValue integer(const char *name, qint64 v)
{
    return {QString::fromLatin1(name), QString::number(v), double(v)};
}

QList<TNamedValue> signature(const Ttolm472 &m)
{
    return {integer("SystemAddress", m.SystemAddress()), integer("PlantNumber", m.PlantNumber()),
            integer("HardVersion", m.HardVersion), integer("SoftVersion", m.SoftVersion)};
}

// The 32 values the block answer filled.
TNamedValue block(const Ttolm472 &m)
{
    const int first = (int(m.Arrays.BlockIndex) - 1) * TGaugeArrays::BlockSize;
    QJsonArray values;
    QStringList texts;
    const bool spectrum = m.Arrays.ArrayKind == 30;
    const int size = spectrum ? TGaugeArrays::SpectrumSize : TGaugeArrays::SignalSize;
    for (int i = first; i >= 0 && i < first + TGaugeArrays::BlockSize && i < size; ++i) {
        const double v = spectrum ? m.Arrays.Spectrum[size_t(i)] : double(m.Arrays.Signal[size_t(i)]);
        values.append(v);
        texts.append(spectrum ? QString::number(v, 'g', 7) : QString::number(qint64(v)));
    }
    return {spectrum ? QStringLiteral("Spectrum") : QStringLiteral("Signal"), texts.join(QLatin1Char(' ')), values};
}

} // namespace

TNamedValue ParameterValue(const TParameter &parameter, const Ttolm472 &model)
{
    const double v = parameter.Get(model);
    const QString text = parameter.Type == TParameterType::Float ? QString::number(v, 'g', 7)
                                                                 : QString::number(qint64(v));
    return {QString::fromLatin1(parameter.Name), text, v};
}

QList<TNamedValue> AnswerValues(int code, const Ttolm472 &m)
{
    switch (code) {
    case BeatFreqRead: return {reading(TReadingKind::Freq, m.Freq)};
    case DistanceRead: return {reading(TReadingKind::Distance, m.Distance)};
    case LevelRead: return {reading(TReadingKind::Level, m.Level)};
    case LevelFreeRead: return {reading(TReadingKind::LevelFree, m.LevelFree)};
    case ReserveRead: return {reading(TReadingKind::Reserve, m.Reserve)};
    case UsilRead: return {integer("Usil", m.Usil())};
    case LevelAllRead:
        return {reading(TReadingKind::Freq, m.Freq),           reading(TReadingKind::Distance, m.Distance), reading(TReadingKind::Level, m.Level),
                reading(TReadingKind::LevelFree, m.LevelFree), reading(TReadingKind::Reserve, m.Reserve),   integer("Usil", m.Usil())};
    case TempRead: return {reading(TReadingKind::Temp, m.Temp)};
    case ProgramTypeRead: return {integer("ProgramType", m.ProgramType)};
    case SignatureRead:
    case SystemAddressWrite:
    case PlantNumberWrite: return signature(m);
    case IdentificationRead:
        return {integer("PlantNumber", m.PlantNumber()),     integer("IdHardVersion", m.IdHardVersion),
                integer("SoftVersionHost", m.SoftVersionHost), integer("SoftVersionCOS", m.SoftVersionCOS),
                integer("CRC16Host", m.CRC16Host),             integer("CRC16COS", m.CRC16COS)};
    case DataBlockRead: return {integer("BlockIndex", m.Arrays.BlockIndex), block(m)};
    default: break;
    }
    QList<TNamedValue> out;
    for (const TParameter &p : ParameterTable())
        if (p.ReadCode == code)
            out.append(ParameterValue(p, m));
    return out;
}
