// Any bytes as a gauge answer, after any request. Input: byte 0 the command
// code whose request goes out first (every value, so codes that are not
// commands too); byte 1 the block index for a block read (low six bits),
// the failure threshold 1 or 2 (bit 6) and whether the answer gets a right
// CRC-16 appended (bit 7, so the payload interpretation is reached without
// the fuzzer having to find checksums); the rest is the answer.
// The parse must not crash and must leave a status the program knows.

#include "device/status_words.h"
#include "device/tolm472.h"
#include "protocol/frame.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    Ttolm472 model; // no program folder: no status log files
    model.OnMessage = [](const QString &) {};
    model.SetErrorMax((data[1] & 0x40) ? 2 : 1);
    model.SetSystemAddress(1);
    model.BuildRequest((data[0] & 1) ? SignalReadInit : SpectrumReadInit); // an array for block reads
    model.Arrays.BlockIndex = data[1] & 0x3F;
    model.BuildRequest(data[0]);

    QByteArray answer(reinterpret_cast<const char *>(data + 2), int(size - 2));
    if (data[1] & 0x80)
        answer = AppendCrc16(answer);
    // Twice, so a second answer meets the state the first one left.
    for (int pass = 0; pass < 2; ++pass) {
        model.ParseAnswer(answer);
        const int32_t code = model.LastErrorCode;
        const bool known = code == StatusCode::Normal || code == StatusCode::NoAnswer ||
                           code == StatusCode::ReadError || code == StatusCode::ChecksumError ||
                           code == StatusCode::CommandMismatch || code == StatusCode::ErrorAnswer ||
                           (code >= 1 && code <= 255);
        const int link = model.LinkState.AsInt();
        if (!known || link < 0 || link > 2)
            std::abort();
    }
    return 0;
}
