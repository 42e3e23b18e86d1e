// The model takes an answer parsed elsewhere, in the user-interface thread:
// the values first, then the status, so a listener of the link state finds
// the values of the answer that set it.

#include "device/parameter_table.h"
#include "device/tolm472.h"

namespace {

void applyBlock(Ttolm472 &m, const TDataBlock &block)
{
    for (int j = 0; j < TDataBlock::Size; ++j) {
        const double value = block.Values[size_t(j)];
        if (block.ArrayKind == 20)
            m.Arrays.Signal[size_t(block.First + j)] = int32_t(value);
        else
            m.Arrays.Spectrum[size_t(block.First + j)] = value;
    }
}

} // namespace

TLinkStatus Ttolm472::LinkStatus() const
{
    TLinkStatus status;
    status.ErrorMax = m_errorMax;
    status.ErrorCount = ErrorCount;
    status.LastErrorCode = LastErrorCode;
    status.LastErrorText = LastErrorText;
    status.LinkState = LinkState.AsInt();
    return status;
}

TAnswerContext Ttolm472::answerContext() const
{
    TAnswerContext context;
    context.ReadSelector = ReadSelector;
    context.ByteValueNumber = ByteValueNumber;
    context.WordParamReadNumber = WordParamReadNumber;
    context.FloatParamReadNumber = FloatParamReadNumber;
    context.BlockIndex = Arrays.BlockIndex;
    context.ArrayKind = Arrays.ArrayKind;
    return context;
}

void Ttolm472::ParseAnswer(const QByteArray &answer)
{
    TLinkStatus status = LinkStatus();
    const TGaugeAnswer parsed = ParseGaugeAnswer(answerContext(), answer, status);
    if (parsed.BlackBoxStatus)
        LogBlackBox(*parsed.BlackBoxStatus);
    Apply(parsed);
}

void Ttolm472::ParseLumidorAnswer(const QByteArray &answer)
{
    TLinkStatus meter;
    meter.ErrorMax = m_errorMax;
    Apply(ParseMeterAnswer(answer, meter));
}

void Ttolm472::Apply(const TGaugeAnswer &answer)
{
    for (size_t k = 0; k < answer.Readings.size(); ++k)
        if (answer.Readings[k])
            Readings.Value(TReadingKind(k)).SetValue(*answer.Readings[k]); // every store notifies
    // The meter is a device of its own: the gauge's status stays. An answer
    // that never went out carries at most a message.
    if (answer.Code != CurrentOutputReading && answer.Sent)
        applyGauge(answer);
    if (!answer.Message.isEmpty() && OnMessage)
        OnMessage(answer.Message);
}

void Ttolm472::applyGauge(const TGaugeAnswer &answer)
{
    if (answer.Recognised)
        Identity.Answered = true;
    if (answer.Usil)
        Config.SetUsil(*answer.Usil);
    if (answer.Parameter)
        answer.Parameter->Set(*this, answer.ParameterValue);
    if (const std::optional<TSignatureAnswer> &s = answer.Signature) {
        if (s->NewAddress)
            SetSystemAddress(s->Address);
        Config.SetPlantNumber(s->PlantNumber);
        Identity.HardVersion = s->HardVersion;
        Identity.SoftVersion = s->SoftVersion;
    }
    if (const std::optional<TIdentificationAnswer> &id = answer.Identification) {
        Config.SetPlantNumber(id->PlantNumber);
        Identity.IdHardVersion = id->HardVersion;
        Identity.SoftVersionHost = id->SoftVersionHost;
        Identity.SoftVersionCOS = id->SoftVersionCOS;
        Identity.CRC16Host = id->CRC16Host;
        Identity.CRC16COS = id->CRC16COS;
    }
    if (answer.ProgramType)
        Identity.ProgramType = *answer.ProgramType;
    Arrays.ArrayKind = answer.ArrayKind;
    if (answer.Block)
        applyBlock(*this, *answer.Block);

    const TLinkStatus &status = answer.Status;
    ErrorCount = status.ErrorCount;
    LastErrorCode = status.LastErrorCode;
    LastErrorText = status.LastErrorText;
    for (const TLinkStatus::TStep &step : status.Steps) {
        // The caption first, so listeners of the link state see the new text.
        if (step.Caption)
            LinkState.Description.SetCaption(tsTrue, *step.Caption);
        LinkState.SetValue(step.Value);
    }
}
