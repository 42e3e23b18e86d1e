#pragma once
// The gauge's command table: for every command code the request it becomes
// on the line and what the model must remember about it for the answer.
//
// A request is: address, function byte, the fixed data bytes of the row,
// then the row's tail taken from the model at the moment of sending.
//
//  Function  Data                               Use
//  0x01      02, selector                       read one value (selector 0..5)
//  0x02      01                                 read all readings
//  0x04      00 00 00 0F                        15 registers from register 0
//  0x10      03 AA 55                           echo
//  0x20      01                                 signature
//  0x23      01                                 identification
//  0x25      05 0B, plant number, new address   new address for this plant number
//  0x30      03, new plant number               write the plant number
//  0xA2      01                                 store parameters in the ПЗУ
//  0xA8      04, offset, 20                     one block of 32 array values
//  0xB1      03, group, argument                control command
//  0xB2      04, number, word                   write a word parameter
//  0xB3      06, number, f32                    write a float parameter
//  0xB4      02, number                         read a byte value
//  0xB5      02, number                         read a word parameter
//  0xB6      02, number                         read a float parameter
//
// The byte after the function is the count of the bytes from itself to the
// end of the data; the gauge expects exactly these constants.

#include <cstdint>
#include <string_view>

// What follows the fixed data bytes of a request.
enum class TRequestTail : uint8_t {
    None,
    WordParameter,   // the word parameter named by the row's number, 16 bits
    FloatParameter,  // the float parameter named by the row's number, f32
    AddressChange,   // PlantNumber (16 bits), SystemAddressNew
    NewPlantNumber,  // PlantNumberNew (16 bits)
    BlockOffset,     // (BlockIndex - 1) * 32 (16 bits), 0x20, after the block checks
};

// Which part of the request context the answer's parse will need.
enum class TRequestContext : uint8_t {
    None,
    ReadSelector,        // number -> ReadSelector
    ControlGroup,        // number -> ControlGroup
    ControlAndArrayKind, // number -> ControlGroup, argument -> ArrayKind
    WordParam,           // number -> WordParamNumber
    FloatParam,          // number -> FloatParamNumber
    ByteValue,           // number -> ByteValueNumber
    WordParamRead,       // number -> WordParamReadNumber
    FloatParamRead,      // number -> FloatParamReadNumber
};

struct TCommandRow {
    std::string_view name;
    uint8_t function = 0;
    std::string_view data; // fixed data bytes after the function byte
    TRequestTail tail = TRequestTail::None;
    TRequestContext context = TRequestContext::None;
    uint8_t number = 0;   // selector, control group or parameter number
    uint8_t argument = 0; // control argument
};

// The row of a command code, or nullptr for a code that is not a gauge
// command (101, negative codes and codes above 102).
const TCommandRow *CommandRow(int code);
