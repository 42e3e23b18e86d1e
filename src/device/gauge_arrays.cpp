#include "device/gauge_arrays.h"

double TGaugeArrays::SpectrumMax() const
{
    double max = 0;
    for (double v : Spectrum) {
        if (v > max) // a NaN from the line never wins
            max = v;
    }
    return max;
}
