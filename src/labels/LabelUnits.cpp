#include "labels/LabelUnits.h"

std::uint16_t MmToTenths(float mm) {
    // The volatile store forces a single-precision rounding after the product, so that no
    // compiler fuses it with the addition into one wider operation: the results depend on it.
    volatile float tenths = mm * 10.0f;
    const float rounded = tenths + 0.5f;
    return static_cast<std::uint16_t>(static_cast<std::int32_t>(rounded));
}

float TenthsToMm(std::uint16_t tenths) {
    return static_cast<float>(tenths) / 10.0f;
}
