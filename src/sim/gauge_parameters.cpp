#include "sim/gauge_parameters.h"

TSimGaugeParameters::TSimGaugeParameters()
{
    words = {{WordParam::VariantProcessing, 0},
             {WordParam::CountBadZones, 5},
             {WordParam::FreqBeg, 0},
             {WordParam::MUP, 1}};
    floats = {{FloatParam::KrPer, 146.243f}, {FloatParam::SmPer, 0.0f},   {FloatParam::Hmax, 15000.0f},
              {FloatParam::Lmax, 15000.0f},  {FloatParam::KKalman, 1.0f}, {FloatParam::Speed, 0.0f},
              {FloatParam::LevelKalibr, 0.0f}, {FloatParam::KrFChH, 0.0f}, {FloatParam::SmFChH, 0.0f},
              {FloatParam::Radius, 0.0f},    {FloatParam::FreqNes, 0.0f}, {FloatParam::FreqDev, 0.0f},
              {FloatParam::ODPM, 1.0f}};
    // Bad zones 1-5: near border 20-24, far border 30-34, fill speed 40-44,
    // drain speed 50-54.
    for (uint8_t tens = 20; tens <= 50; tens += 10)
        for (uint8_t zone = 0; zone < 5; ++zone)
            floats[uint8_t(tens + zone)] = 0.0f;
    bytes = {{ByteValue::Param10, 0}};
}

float TSimGaugeParameters::floatParam(uint8_t number) const
{
    const auto it = floats.find(number);
    return it == floats.end() ? 0.0f : it->second;
}

uint16_t TSimGaugeParameters::wordParam(uint8_t number) const
{
    const auto it = words.find(number);
    return it == words.end() ? 0 : it->second;
}
