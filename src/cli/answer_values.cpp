#include "cli/answer_values.h"

#include "protocol/command_codes.h"
#include "device/parameter_table.h"
#include "device/readings.h"
#include "device/tolm472.h"

#include <QJsonArray>

namespace {

// A reading under the name the archive keeps it by, with the digits the
// readings window shows.
TNamedValue reading(TReadingKind kind, const Ttolm472 &m)
{
    const TReadingDescription &d = DescribeReading(kind);
    const double v = m.Readings.Value(kind).AsDouble();
    return {QString::fromLatin1(d.Name), QString::number(v, 'f', d.ShownDigits), v};
}

TNamedValue integer(const char *name, qint64 v)
{
    return {QString::fromLatin1(name), QString::number(v), double(v)};
}

QList<TNamedValue> signature(const Ttolm472 &m)
{
    return {integer("SystemAddress", m.SystemAddress()), integer("PlantNumber", m.Config.PlantNumber()),
            integer("HardVersion", m.Identity.HardVersion), integer("SoftVersion", m.Identity.SoftVersion)};
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
    QList<TNamedValue> readings;
    for (TReadingKind kind : ReadingsOfCommand(code))
        readings.append(reading(kind, m));
    if (CarriesGain(code))
        readings.append(integer(GainArchiveName, m.Config.Usil()));
    if (!readings.isEmpty())
        return readings;
    switch (code) {
    case ProgramTypeRead: return {integer("ProgramType", m.Identity.ProgramType)};
    case SignatureRead:
    case SystemAddressWrite:
    case PlantNumberWrite: return signature(m);
    case IdentificationRead:
        return {integer("PlantNumber", m.Config.PlantNumber()),
                integer("IdHardVersion", m.Identity.IdHardVersion),
                integer("SoftVersionHost", m.Identity.SoftVersionHost),
                integer("SoftVersionCOS", m.Identity.SoftVersionCOS),
                integer("CRC16Host", m.Identity.CRC16Host),
                integer("CRC16COS", m.Identity.CRC16COS)};
    case DataBlockRead: return {integer("BlockIndex", m.Arrays.BlockIndex), block(m)};
    default: break;
    }
    QList<TNamedValue> out;
    for (const TParameter &p : ParameterTable())
        if (p.ReadCode == code)
            out.append(ParameterValue(p, m));
    return out;
}
