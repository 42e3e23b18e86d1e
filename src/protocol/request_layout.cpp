#include "protocol/request_layout.h"

#include "protocol/frame.h"
#include "protocol/gauge_functions.h"

namespace {
constexpr int kRegisterReadLength = 8;
constexpr uint8_t kMeterAddress = 0x01;
constexpr uint8_t kMeterFunction = 0x00;
} // namespace

int RequestCountByte(uint8_t function)
{
    using namespace GaugeFunction;
    // Echo is also a command code (command_codes.h), which a unity batch may
    // have declared before this file: the function byte is named in full.
    switch (function) {
    case ReadAll:
    case Signature:
    case Identification:
    case StoreToRom:
        return 1;
    case ReadValue:
    case ByteRead:
    case WordRead:
    case FloatRead:
        return 2;
    case GaugeFunction::Echo:
    case PlantNumber:
    case Control:
        return 3;
    case DataBlock:
    case WordWrite:
        return 4;
    case SystemAddress:
        return 5;
    case FloatWrite:
        return 6;
    default:
        return -1;
    }
}

int ExpectedRequestLength(const QByteArray &head)
{
    if (head.size() < 2)
        return 0;
    const uint8_t function = ByteAt(head, 1);
    if (ByteAt(head, 0) == kMeterAddress && function == kMeterFunction)
        return int(MeterRequest().size());
    if (function == GaugeFunction::ReadRegisters)
        return kRegisterReadLength;
    const int count = RequestCountByte(function);
    if (count < 0)
        return -1;
    if (head.size() < 3)
        return 0;
    // A count byte other than the expected one still frames the request as
    // the sender meant it; the gauge refuses it after reading it whole.
    return 4 + ByteAt(head, 2);
}

bool IsMeterRequest(const QByteArray &request)
{
    return request == MeterRequest();
}

QByteArray MeterRequestPayload()
{
    return QByteArray("\x01\x00\x01\x00", 4);
}

QByteArray MeterRequest()
{
    return AppendCrc8(MeterRequestPayload());
}
