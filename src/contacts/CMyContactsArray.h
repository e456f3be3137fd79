#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class ArchiveWriter;
class ArchiveReader;

// The category assignment store: pairs of a contact's display text and its 32-bit category
// mask (bit k = the k-th category name). Index arguments must be in range.
class CMyContactsArray {
public:
    virtual ~CMyContactsArray() = default;

    int Add(std::string text, std::uint32_t mask);
    void Append(const CMyContactsArray& other);
    void RemoveAll();
    void RemoveAt(int i);
    void SetBits(int i, std::uint32_t bits) { masks[idx(i)] |= bits; }
    void ClearBits(int i, std::uint32_t bits) { masks[idx(i)] &= ~bits; }
    std::uint32_t TestBits(int i, std::uint32_t bits) const { return masks[idx(i)] & bits; }

    int GetSize() const { return static_cast<int>(texts.size()); }
    const std::string& GetAt(int i) const { return texts[idx(i)]; }
    std::uint32_t GetMask(int i) const { return masks[idx(i)]; }

    // The first entry at or after from whose text equals text byte for byte; -1 if none.
    int Find(std::string_view text, int from = 0) const;
    // The first entry whose text equals text and whose mask shares a bit with bits; -1 if none.
    int FindWithBits(std::string_view text, std::uint32_t bits) const;

    // The archive form: count, then per entry the length-prefixed text and the 32-bit mask.
    void Store(ArchiveWriter& out) const;
    // Replaces the store with what the archive holds; on a short or malformed archive
    // returns false and leaves the store as it was (the archive's position is then
    // somewhere inside the bad data).
    [[nodiscard]] bool Load(ArchiveReader& in);

    bool operator==(const CMyContactsArray&) const = default;

private:
    static std::size_t idx(int i) { return static_cast<std::size_t>(i); }

    std::vector<std::string> texts;
    std::vector<std::uint32_t> masks;
};
