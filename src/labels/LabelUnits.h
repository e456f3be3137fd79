#pragma once

#include <cstdint>

// Sheet lengths are kept in tenths of a millimetre; the Dimensions page edits them as
// single-precision millimetres. These two conversions are exact inverses over 0..65535.

// Millimetres to tenths, rounding half up (12.35 gives 124, 0.04 gives 0).
std::uint16_t MmToTenths(float mm);

// Tenths to millimetres.
float TenthsToMm(std::uint16_t tenths);
