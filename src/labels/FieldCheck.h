#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// Reading numbers out of dialog fields, with the messages the dialogs show when a field
// holds no number or a number out of range.
namespace FieldCheck {

// A decimal number with optional sign, fraction and exponent, blanks around it allowed.
// Anything else, an empty field, infinities and NaN are not numbers.
std::optional<float> readFloat(const QString& text);

// Digits only, blanks around them allowed; a number beyond 32 bits reads as the largest.
std::optional<std::uint32_t> readUnsigned(const QString& text);

// The leading digits of the text as a number, 0 when it starts with none: for previews that
// follow the field while it is being typed.
std::uint32_t leadingNumber(const QString& text);

// The text of a float field.
QString formatFloat(float value);

QString notANumber();                                        // "Enter a number."
QString notAPositiveInteger();                               // "Enter a positive integer."
QString numberRange(float low, float high);                  // "Enter a number between ..."
QString integerRange(std::uint32_t low, std::uint32_t high); // "Enter an integer between ..."

} // namespace FieldCheck
