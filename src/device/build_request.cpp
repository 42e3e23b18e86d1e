// The request of a command code: address, function byte and data from the
// command table, the tail from the values the request carries, and what the
// parse of the answer must know of it.

#include "device/gauge_answer.h"
#include "device/parameter_table.h"
#include "device/tolm472.h"
#include "protocol/command_table.h"
#include "protocol/frame.h"

namespace {

const QString RequestError = QStringLiteral("Ошибка формирования запроса");

// Array kinds selected by the read-init commands.
constexpr uint8_t SignalArray = 20;
constexpr uint8_t SpectrumArray = 30;

// Why a block read cannot go out, or empty text when it can. The gauge
// answers a block read only after an array read was initialised, and the
// program keeps the block within the array it fills from the answer. The
// training and correction arrays are not range-checked.
QString blockReadRefusal(uint8_t arrayKind, uint16_t blockIndex)
{
    if (arrayKind == 0)
        return QStringLiteral("Должна быть подана команда \"Инициализация чтения массива данных\"");
    const int blocks = arrayKind == SignalArray     ? TGaugeArrays::SignalSize / TGaugeArrays::BlockSize
                       : arrayKind == SpectrumArray ? TGaugeArrays::SpectrumSize / TGaugeArrays::BlockSize
                                                    : 0;
    if (blocks > 0 && (blockIndex == 0 || blockIndex > blocks))
        return QStringLiteral("Индекс блока данных должен быть в диапазоне от 1 до %1").arg(blocks);
    return QString();
}

// The model's own record of the last request of each kind, which the
// windows and the model's own parse read.
void recordContext(Ttolm472 &m, const TCommandRow &row)
{
    switch (row.context) {
    case TRequestContext::None: break;
    case TRequestContext::ReadSelector: m.ReadSelector = row.number; break;
    case TRequestContext::ControlGroup: m.ControlGroup = row.number; break;
    case TRequestContext::ControlAndArrayKind: m.ControlGroup = row.number; break;
    case TRequestContext::WordParam: m.WordParamNumber = row.number; break;
    case TRequestContext::FloatParam: m.FloatParamNumber = row.number; break;
    case TRequestContext::ByteValue: m.ByteValueNumber = row.number; break;
    case TRequestContext::WordParamRead: m.WordParamReadNumber = row.number; break;
    case TRequestContext::FloatParamRead: m.FloatParamReadNumber = row.number; break;
    }
}

} // namespace

std::optional<QByteArray> BuildGaugeRequest(const TGaugeRequest &request, uint8_t &arrayKind,
                                            TAnswerContext *context, QString *error)
{
    const TCommandRow *row = CommandRow(request.Code);
    if (!row) {
        if (error)
            *error = RequestError;
        return std::nullopt;
    }

    QByteArray payload;
    payload.append(char(request.Address));
    payload.append(char(row->function));
    payload.append(row->data.data(), qsizetype(row->data.size()));

    switch (row->tail) {
    case TRequestTail::None: break;
    case TRequestTail::WordParameter: AppendWord(payload, uint16_t(request.Value)); break;
    case TRequestTail::FloatParameter: AppendSingle(payload, request.Value); break;
    case TRequestTail::AddressChange:
        // The gauge that carries this plant number takes the new address and
        // answers from it.
        AppendWord(payload, request.PlantNumber);
        payload.append(char(request.NewAddress));
        break;
    case TRequestTail::NewPlantNumber: AppendWord(payload, request.NewPlantNumber); break;
    case TRequestTail::BlockOffset: {
        const QString refusal = blockReadRefusal(arrayKind, request.BlockIndex);
        if (!refusal.isEmpty()) {
            if (error)
                *error = refusal;
            return std::nullopt;
        }
        // Offset of the block's first value in the array, 16 bits on the line.
        AppendWord(payload, uint16_t((int(request.BlockIndex) - 1) * TGaugeArrays::BlockSize));
        payload.append(char(TGaugeArrays::BlockSize));
        break;
    }
    }

    if (row->context == TRequestContext::ControlAndArrayKind)
        arrayKind = row->argument;
    if (context) {
        *context = TAnswerContext{};
        switch (row->context) {
        case TRequestContext::ReadSelector: context->ReadSelector = row->number; break;
        case TRequestContext::ByteValue: context->ByteValueNumber = row->number; break;
        case TRequestContext::WordParamRead: context->WordParamReadNumber = row->number; break;
        case TRequestContext::FloatParamRead: context->FloatParamReadNumber = row->number; break;
        default: break;
        }
        context->BlockIndex = request.BlockIndex;
        context->ArrayKind = arrayKind;
    }
    return payload;
}

TGaugeRequest Ttolm472::MakeRequest(int code) const
{
    TGaugeRequest request;
    request.Code = code;
    request.Address = m_systemAddress;
    request.PlantNumber = Config.PlantNumber();
    request.NewAddress = Config.SystemAddressNew();
    request.NewPlantNumber = Config.PlantNumberNew();
    request.BlockIndex = Arrays.BlockIndex;
    if (const TCommandRow *row = CommandRow(code)) {
        const bool word = row->tail == TRequestTail::WordParameter;
        if (word || row->tail == TRequestTail::FloatParameter) {
            // A number the program does not know goes out as 0.
            const TParameter *parameter =
                ParameterByNumber(word ? TParameterType::Word : TParameterType::Float, row->number);
            request.Value = parameter ? parameter->Get(*this) : 0.0;
        }
    }
    return request;
}

std::optional<QByteArray> Ttolm472::BuildRequest(int code, QString *error)
{
    // A selector left from an earlier single read must not steer the parse
    // of another command's answer.
    ReadSelector = 0;
    QString refusal;
    const std::optional<QByteArray> payload = BuildGaugeRequest(MakeRequest(code), Arrays.ArrayKind, nullptr, &refusal);
    if (!payload) {
        if (refusal != RequestError && OnMessage)
            OnMessage(refusal);
        if (error)
            *error = refusal;
        return std::nullopt;
    }
    recordContext(*this, *CommandRow(code));
    return payload;
}
