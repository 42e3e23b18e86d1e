// Any bytes as a current-loop meter answer. Input: byte 0 says whether the
// answer gets a right CRC-8 appended (bit 0, so the current is reached
// without the fuzzer having to find checksums); the rest is the answer.
// The parse must not crash, must leave the meter's own status in a status of
// the meter parser, must carry a current exactly when it accepted the
// answer, and a current that 16 signed bits of hundredths can carry.

#include "device/gauge_answer.h"
#include "device/status_words.h"
#include "protocol/frame.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    QByteArray answer(reinterpret_cast<const char *>(data + 1), int(size - 1));
    if (data[0] & 1)
        answer = AppendCrc8(answer);
    TLinkStatus meter;
    meter.ErrorMax = 1;
    const TGaugeAnswer parsed = ParseMeterAnswer(answer, meter);
    const int32_t code = parsed.Status.LastErrorCode;
    if (code != StatusCode::Normal && code != StatusCode::NoAnswer && code != StatusCode::ReadError &&
        code != StatusCode::ChecksumError)
        std::abort();
    const std::optional<double> mA = parsed.Reading(TReadingKind::CurrentOutput);
    if ((parsed.Status.LinkState == 1) != mA.has_value())
        std::abort();
    if (mA && !(*mA >= -327.68 && *mA <= 327.67))
        std::abort();
    if (code != StatusCode::Normal && parsed.Status.LinkState == 1)
        std::abort();
    return 0;
}
