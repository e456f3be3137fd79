#pragma once

#include <QByteArray>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The little-endian archive encoding shared by the category store and the label file
// trailer: 16/32-bit counts and length-prefixed strings.
class ArchiveWriter {
public:
    void u8(std::uint8_t v);
    void u16(std::uint16_t v);
    void u32(std::uint32_t v);
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void bytes(std::string_view b);
    // A count: 16 bits below 0xFFFF, else 0xFFFF and 32 bits.
    void count(std::uint32_t n);
    // A single-byte string with its 1-, 3- or 7-byte length prefix.
    void string(std::string_view s);

    const QByteArray& data() const { return out; }

private:
    QByteArray out;
};

// Reads what ArchiveWriter writes. Every read fails (nullopt) at the end of the data and
// leaves the position unchanged, so a short file is an error the caller reports.
class ArchiveReader {
public:
    explicit ArchiveReader(QByteArray data) : in(std::move(data)) {}

    std::optional<std::uint8_t> u8();
    std::optional<std::uint16_t> u16();
    std::optional<std::uint32_t> u32();
    std::optional<std::int32_t> i32();
    std::optional<std::string> bytes(std::size_t n);
    std::optional<std::uint32_t> count();
    // Also takes the wide form (0xFF 0xFFFE, then a length in UTF-16 units) and converts
    // it to UTF-8. Single-byte text that is not UTF-8 is taken as Windows-1252.
    std::optional<std::string> string();

    std::size_t position() const { return pos; }
    std::size_t remaining() const { return static_cast<std::size_t>(in.size()) - pos; }
    bool atEnd() const { return remaining() == 0; }

private:
    std::optional<std::uint32_t> lengthPrefix(bool& wide);

    QByteArray in;
    std::size_t pos = 0;
};
