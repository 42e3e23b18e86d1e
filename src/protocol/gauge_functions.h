#pragma once
// Function bytes of the gauge protocol and the error codes of its error
// answer. What each request and answer carries: command_table.h and
// answer_layout.h.

#include <cstdint>

namespace GaugeFunction {
constexpr uint8_t ReadValue = 0x01;
constexpr uint8_t ReadAll = 0x02;
constexpr uint8_t ReadRegisters = 0x04;
constexpr uint8_t Echo = 0x10;
constexpr uint8_t Signature = 0x20;
constexpr uint8_t Identification = 0x23;
constexpr uint8_t SystemAddress = 0x25;
constexpr uint8_t PlantNumber = 0x30;
constexpr uint8_t StoreToRom = 0xA2;
constexpr uint8_t DataBlock = 0xA8;
constexpr uint8_t Control = 0xB1;
constexpr uint8_t WordWrite = 0xB2;
constexpr uint8_t FloatWrite = 0xB3;
constexpr uint8_t ByteRead = 0xB4;
constexpr uint8_t WordRead = 0xB5;
constexpr uint8_t FloatRead = 0xB6;
constexpr uint8_t Error = 0xFA;
} // namespace GaugeFunction

// Error codes of the 0xFA answer.
namespace GaugeError {
constexpr uint8_t CommandAbsent = 1;
constexpr uint8_t CannotExecute = 2;
constexpr uint8_t ProgramAnalysis = 3;
} // namespace GaugeError
