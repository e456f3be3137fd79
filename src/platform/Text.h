#pragma once

#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>

// Text in memory is UTF-8. These helpers bring 8-bit and UTF-16 text from files into that
// form and cut it to byte limits without splitting a character.
namespace Text {

// Valid UTF-8 is taken as it is; anything else is taken as Windows-1252, the code page of
// files written on Windows, and converted.
std::string from8Bit(std::string_view bytes);

// Windows-1252 (and its subset ISO-8859-1) to UTF-8, whatever the bytes look like.
std::string fromWindows1252(std::string_view bytes);

// UTF-16 little-endian code units to UTF-8.
std::string fromUtf16(std::u16string_view units);

// How a text file's bytes were taken.
enum class Encoding { Utf8, Utf8WithMark, Utf16LE, Utf16BE, Windows1252 };

// The encoding of a whole text file: a UTF-8 byte-order mark, a UTF-16 byte-order mark or
// the zero bytes of UTF-16 text without one, valid UTF-8, and otherwise Windows-1252.
Encoding detectEncoding(std::string_view bytes);

// A text file's bytes as UTF-8, decoded by detectEncoding's verdict, without its byte-order
// mark and without zero characters (which no contact or label can use).
std::string decodeFile(std::string_view bytes, Encoding* found = nullptr);
// The same for an encoding already detected.
std::string decodeAs(std::string_view bytes, Encoding encoding);

// At most maxBytes bytes of text, ending on a character boundary.
std::string_view cutUtf8(std::string_view text, std::size_t maxBytes);

// The number of characters (code points) in UTF-8 text.
std::size_t charCount(std::string_view text);
// The byte offset at which character `chars` starts (the size when the text is shorter).
std::size_t byteOffsetOfChar(std::string_view text, std::size_t chars);
// At most maxChars characters of UTF-8 text: the limits that count bytes of one-byte text
// elsewhere count characters here, so that accented, Greek or Cyrillic text is not cut short.
inline std::string_view cutChars(std::string_view text, std::size_t maxChars) {
    return text.substr(0, byteOffsetOfChar(text, maxChars));
}

bool isValidUtf8(std::string_view bytes);

inline QString toQString(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
inline std::string fromQString(const QString& s) {
    return s.toUtf8().toStdString();
}

} // namespace Text
