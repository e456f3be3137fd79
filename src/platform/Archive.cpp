#include "platform/Archive.h"

#include "platform/Text.h"

void ArchiveWriter::u8(std::uint8_t v) {
    out.append(static_cast<char>(v));
}

void ArchiveWriter::u16(std::uint16_t v) {
    u8(static_cast<std::uint8_t>(v & 0xFF));
    u8(static_cast<std::uint8_t>(v >> 8));
}

void ArchiveWriter::u32(std::uint32_t v) {
    u16(static_cast<std::uint16_t>(v & 0xFFFF));
    u16(static_cast<std::uint16_t>(v >> 16));
}

void ArchiveWriter::bytes(std::string_view b) {
    out.append(b.data(), static_cast<qsizetype>(b.size()));
}

void ArchiveWriter::count(std::uint32_t n) {
    if (n < 0xFFFF) {
        u16(static_cast<std::uint16_t>(n));
    } else {
        u16(0xFFFF);
        u32(n);
    }
}

void ArchiveWriter::string(std::string_view s) {
    const auto n = static_cast<std::uint32_t>(s.size());
    if (n < 0xFF) {
        u8(static_cast<std::uint8_t>(n));
    } else if (n < 0xFFFE) {
        u8(0xFF);
        u16(static_cast<std::uint16_t>(n));
    } else {
        u8(0xFF);
        u16(0xFFFF);
        u32(n);
    }
    bytes(s);
}

std::optional<std::uint8_t> ArchiveReader::u8() {
    if (remaining() < 1)
        return std::nullopt;
    return static_cast<std::uint8_t>(in[static_cast<qsizetype>(pos++)]);
}

std::optional<std::uint16_t> ArchiveReader::u16() {
    if (remaining() < 2)
        return std::nullopt;
    const auto lo = *u8();
    const auto hi = *u8();
    return static_cast<std::uint16_t>(lo | (hi << 8));
}

std::optional<std::uint32_t> ArchiveReader::u32() {
    if (remaining() < 4)
        return std::nullopt;
    const std::uint32_t lo = *u16();
    const std::uint32_t hi = *u16();
    return lo | (hi << 16);
}

std::optional<std::int32_t> ArchiveReader::i32() {
    const auto v = u32();
    if (!v)
        return std::nullopt;
    return static_cast<std::int32_t>(*v);
}

std::optional<std::string> ArchiveReader::bytes(std::size_t n) {
    if (remaining() < n)
        return std::nullopt;
    std::string s(in.constData() + pos, n);
    pos += n;
    return s;
}

std::optional<std::uint32_t> ArchiveReader::count() {
    const std::size_t start = pos;
    const auto n = u16();
    if (!n)
        return std::nullopt;
    if (*n != 0xFFFF)
        return *n;
    const auto big = u32();
    if (!big)
        pos = start;
    return big;
}

std::optional<std::uint32_t> ArchiveReader::lengthPrefix(bool& wide) {
    wide = false;
    const auto b = u8();
    if (!b)
        return std::nullopt;
    if (*b < 0xFF)
        return *b;
    const auto w = u16();
    if (!w)
        return std::nullopt;
    if (*w == 0xFFFE) {
        // The wide-string tag: the real length prefix follows, counted in UTF-16 units.
        wide = true;
        bool again = false;
        const auto n = lengthPrefix(again);
        if (!n || again)
            return std::nullopt;
        return n;
    }
    if (*w < 0xFFFF)
        return *w;
    return u32();
}

std::optional<std::string> ArchiveReader::string() {
    const std::size_t start = pos;
    bool wide = false;
    const auto n = lengthPrefix(wide);
    if (!n) {
        pos = start;
        return std::nullopt;
    }
    if (!wide) {
        auto s = bytes(*n);
        if (!s) {
            pos = start;
            return std::nullopt;
        }
        return Text::from8Bit(*s);
    }
    if (remaining() / 2 < *n) {
        pos = start;
        return std::nullopt;
    }
    std::u16string units;
    units.reserve(*n);
    for (std::uint32_t i = 0; i < *n; ++i)
        units.push_back(static_cast<char16_t>(*u16()));
    return Text::fromUtf16(units);
}
