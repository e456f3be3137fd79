#include "platform/Text.h"

#include <algorithm>
#include <optional>

namespace Text {

namespace {

// Windows-1252 code points of bytes 0x80 to 0x9F; the undefined ones map to themselves.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Length of the UTF-8 sequence starting at s[i], or 0 when it is not a valid one.
std::size_t sequenceLength(std::string_view s, std::size_t i) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t n;
    char32_t c;
    if (b < 0x80)
        return 1;
    if (b >= 0xC2 && b <= 0xDF) {
        n = 2;
        c = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        c = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        c = b & 0x07;
    } else {
        return 0;
    }
    if (i + n > s.size())
        return 0;
    for (std::size_t k = 1; k < n; ++k) {
        const auto t = static_cast<unsigned char>(s[i + k]);
        if ((t & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (t & 0x3F);
    }
    if ((n == 3 && (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF))) ||
        (n == 4 && (c < 0x10000 || c > 0x10FFFF)))
        return 0;
    return n;
}

} // namespace

bool isValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t n = sequenceLength(bytes, i);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

std::string from8Bit(std::string_view bytes) {
    if (isValidUtf8(bytes))
        return std::string(bytes);
    return fromWindows1252(bytes);
}

std::string fromWindows1252(std::string_view bytes) {
    // The exact size first: text of high bytes grows to up to three times its size, and
    // growing the string as it fills would hold two copies of it at once.
    std::size_t size = 0;
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        size += b < 0x80 ? 1 : (b < 0xA0 && kCp1252High[b - 0x80] >= 0x800) ? 3 : 2;
    }
    std::string out;
    out.reserve(size);
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x80 && b < 0xA0)
            appendUtf8(out, kCp1252High[b - 0x80]);
        else
            appendUtf8(out, b);
    }
    return out;
}

namespace {

// UTF-16 code units, read by unit(i) for i below count, to UTF-8.
template <typename Unit> std::string utf16ToUtf8(std::size_t count, Unit unit) {
    // The exact size first, so that a large file's text is not held twice while it grows.
    std::size_t size = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const char16_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < count && unit(i + 1) >= 0xDC00 &&
            unit(i + 1) <= 0xDFFF) {
            size += 4;
            ++i;
        } else {
            size += c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
        }
    }
    std::string out;
    out.reserve(size);
    for (std::size_t i = 0; i < count; ++i) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < count && unit(i + 1) >= 0xDC00 &&
            unit(i + 1) <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 1) - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD; // an unpaired surrogate
        }
        appendUtf8(out, c);
    }
    return out;
}

} // namespace

std::string fromUtf16(std::u16string_view units) {
    return utf16ToUtf8(units.size(), [units](std::size_t i) { return units[i]; });
}

namespace {

// UTF-16 text without a byte-order mark shows itself by its zero bytes: ASCII letters,
// digits, delimiters and line ends all have a zero high byte. Another 8-bit file has none.
std::optional<Encoding> utf16ByZeroBytes(std::string_view bytes) {
    constexpr std::size_t kSample = 64 * 1024;
    const std::size_t pairs = std::min(bytes.size(), kSample) / 2;
    std::size_t zeroFirst = 0, zeroSecond = 0;
    for (std::size_t i = 0; i < pairs; ++i) {
        zeroFirst += bytes[2 * i] == '\0';
        zeroSecond += bytes[2 * i + 1] == '\0';
    }
    // Even text in a script without Latin letters has its delimiters and line ends, so a
    // quarter of the pairs is a safe lower bound; a stray zero byte is far below it.
    const auto mostly = [pairs](std::size_t zeros, std::size_t others) {
        return zeros >= 2 && zeros * 4 >= pairs && others * 4 <= zeros;
    };
    if (mostly(zeroSecond, zeroFirst))
        return Encoding::Utf16LE;
    if (mostly(zeroFirst, zeroSecond))
        return Encoding::Utf16BE;
    return std::nullopt;
}

// Straight from the bytes: a copy of the file as code units would double what it needs.
std::string decodeUtf16(std::string_view bytes, bool bigEndian) {
    return utf16ToUtf8(bytes.size() / 2, [bytes, bigEndian](std::size_t i) {
        const auto a = static_cast<unsigned char>(bytes[2 * i]);
        const auto b = static_cast<unsigned char>(bytes[2 * i + 1]);
        return static_cast<char16_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
    });
}

bool startsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

} // namespace

Encoding detectEncoding(std::string_view bytes) {
    if (startsWith(bytes, "\xEF\xBB\xBF"))
        return Encoding::Utf8WithMark;
    if (startsWith(bytes, "\xFF\xFE"))
        return Encoding::Utf16LE;
    if (startsWith(bytes, "\xFE\xFF"))
        return Encoding::Utf16BE;
    if (const auto wide = utf16ByZeroBytes(bytes))
        return *wide;
    return isValidUtf8(bytes) ? Encoding::Utf8 : Encoding::Windows1252;
}

std::string decodeFile(std::string_view bytes, Encoding* found) {
    const Encoding encoding = detectEncoding(bytes);
    if (found)
        *found = encoding;
    return decodeAs(bytes, encoding);
}

std::string decodeAs(std::string_view bytes, Encoding encoding) {
    std::string text;
    switch (encoding) {
    case Encoding::Utf8WithMark:
        text = from8Bit(bytes.substr(3));
        break;
    case Encoding::Utf16LE:
    case Encoding::Utf16BE: {
        const bool marked = startsWith(bytes, "\xFF\xFE") || startsWith(bytes, "\xFE\xFF");
        text = decodeUtf16(bytes.substr(marked ? 2 : 0), encoding == Encoding::Utf16BE);
        break;
    }
    case Encoding::Utf8:
        text = std::string(bytes);
        break;
    case Encoding::Windows1252:
        text = fromWindows1252(bytes);
        break;
    }
    std::erase(text, '\0');
    return text;
}

std::size_t charCount(std::string_view text) {
    std::size_t n = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++n;
    return n;
}

std::size_t byteOffsetOfChar(std::string_view text, std::size_t chars) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
            continue;
        if (seen == chars)
            return i;
        ++seen;
    }
    return text.size();
}

std::string_view cutUtf8(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes)
        return text;
    std::size_t end = maxBytes;
    // Step back over continuation bytes to the start of the character that would be cut.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

} // namespace Text
