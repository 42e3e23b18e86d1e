// The request of a command code: address, function byte and data from the
// command table, the tail from the model's present state, and the request
// context that the parse of the answer reads.

#include "protocol/command_table.h"
#include "device/tolm472.h"
#include "protocol/frame.h"

namespace {

const QString RequestError = QStringLiteral("Ошибка формирования запроса");

// Array kinds selected by the read-init commands.
constexpr uint8_t SignalArray = 20;
constexpr uint8_t SpectrumArray = 30;

uint16_t wordParameter(const Ttolm472 &m, uint8_t number)
{
    switch (number) {
    case 0: return m.VariantProcessing();
    case 4: return m.CountBadZones();
    case 6: return m.FreqBeg();
    case 8: return m.MUP();
    default: return 0;
    }
}

double floatParameter(Ttolm472 &m, uint8_t number)
{
    switch (number) {
    case 0: return m.KrPer();
    case 1: return m.SmPer();
    case 2: return m.Hmax();
    case 3: return m.Lmax();
    case 4: return m.KKalman();
    case 6: return m.Speed();
    case 10: return m.LevelKalibr();
    case 60: return m.KrFChH();
    case 61: return m.SmFChH();
    case 62: return m.Radius();
    case 63: return m.FreqNes();
    case 64: return m.FreqDev();
    case 65: return m.ODPM();
    default: break;
    }
    // Bad zones: the gauge gets whatever number the zone's value holds.
    const TIODouble *zoneValue = m.BadZones.ByParamNumber(number);
    return zoneValue ? zoneValue->GetValue().toDouble() : 0.0;
}

// Why a block read cannot go out, or empty text when it can. The gauge
// answers a block read only after an array read was initialised, and the
// program keeps the block within the array it fills from the answer. The
// training and correction arrays are not range-checked.
QString blockReadRefusal(uint8_t arrayKind, uint16_t blockIndex)
{
    if (arrayKind == 0)
        return QStringLiteral("Должна быть подана команда \"Инициализация чтения массива данных\"");
    const int blocks = arrayKind == SignalArray     ? Ttolm472::SignalSize / Ttolm472::BlockSize
                       : arrayKind == SpectrumArray ? Ttolm472::SpectrumSize / Ttolm472::BlockSize
                                                    : 0;
    if (blocks > 0 && (blockIndex == 0 || blockIndex > blocks))
        return QStringLiteral("Индекс блока данных должен быть в диапазоне от 1 до %1").arg(blocks);
    return QString();
}

void recordContext(Ttolm472 &m, const TCommandRow &row)
{
    switch (row.context) {
    case TRequestContext::None: break;
    case TRequestContext::ReadSelector: m.ReadSelector = row.number; break;
    case TRequestContext::ControlGroup: m.ControlGroup = row.number; break;
    case TRequestContext::ControlAndArrayKind:
        m.ControlGroup = row.number;
        m.ArrayKind = row.argument;
        break;
    case TRequestContext::WordParam: m.WordParamNumber = row.number; break;
    case TRequestContext::FloatParam: m.FloatParamNumber = row.number; break;
    case TRequestContext::ByteValue: m.ByteValueNumber = row.number; break;
    case TRequestContext::WordParamRead: m.WordParamReadNumber = row.number; break;
    case TRequestContext::FloatParamRead: m.FloatParamReadNumber = row.number; break;
    }
}

} // namespace

std::optional<QByteArray> Ttolm472::BuildRequest(int code, QString *error)
{
    // A selector left from an earlier single read must not steer the parse
    // of another command's answer.
    ReadSelector = 0;

    const TCommandRow *row = CommandRow(code);
    if (!row) {
        if (error)
            *error = RequestError;
        return std::nullopt;
    }

    QByteArray payload;
    payload.append(char(m_systemAddress));
    payload.append(char(row->function));
    payload.append(row->data.data(), qsizetype(row->data.size()));

    switch (row->tail) {
    case TRequestTail::None: break;
    case TRequestTail::WordParameter: AppendWord(payload, wordParameter(*this, row->number)); break;
    case TRequestTail::FloatParameter: AppendSingle(payload, floatParameter(*this, row->number)); break;
    case TRequestTail::AddressChange:
        // The gauge that carries this plant number takes the new address and
        // answers from it.
        AppendWord(payload, m_plantNumber);
        payload.append(char(m_systemAddressNew));
        break;
    case TRequestTail::NewPlantNumber: AppendWord(payload, m_plantNumberNew); break;
    case TRequestTail::BlockOffset: {
        const QString refusal = blockReadRefusal(ArrayKind, BlockIndex);
        if (!refusal.isEmpty()) {
            if (OnMessage)
                OnMessage(refusal);
            if (error)
                *error = refusal;
            return std::nullopt;
        }
        // Offset of the block's first value in the array, 16 bits on the line.
        AppendWord(payload, uint16_t((int(BlockIndex) - 1) * BlockSize));
        payload.append(char(BlockSize));
        break;
    }
    }

    recordContext(*this, *row);
    return payload;
}
