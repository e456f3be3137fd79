#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A list of texts (contacts or labels) that sorts case-insensitively by whole text or by
// last name, keeps equal texts in their order, and keeps a tracked position on the same
// text through a sort.
class CSortStrArray {
public:
    CSortStrArray() = default;
    virtual ~CSortStrArray() = default;
    CSortStrArray(const CSortStrArray&) = default;
    CSortStrArray& operator=(const CSortStrArray&) = default;
    CSortStrArray(CSortStrArray&&) = default;
    CSortStrArray& operator=(CSortStrArray&&) = default;

    // The order an adjacent-exchange sort that swaps neighbours only when the first key
    // compares greater would give, in O(n log n).
    void Sort();

    // 1-based in and out; stored 0-based.
    void SetTrackedPosition(int position) { trackedPosition = position - 1; }
    int GetTrackedPosition() const { return trackedPosition + 1; }

    void SetLastNameFlag(std::int32_t flag) { lastNameFlag = flag; }
    std::int32_t LastNameFlag() const { return lastNameFlag; }

    int GetSize() const { return static_cast<int>(strings.size()); }
    bool IsEmpty() const { return strings.empty(); }
    const std::string& GetAt(int i) const { return strings[static_cast<std::size_t>(i)]; }
    void SetAt(int i, std::string text) { strings[static_cast<std::size_t>(i)] = std::move(text); }
    int Add(std::string text);
    void InsertAt(int i, std::string text, int count = 1);
    void RemoveAt(int i, int count = 1);
    void RemoveAll() { strings.clear(); }
    // Takes the other's texts; the flags stay.
    void Copy(const CSortStrArray& other) { strings = other.strings; }
    // Moves the other's texts here, leaving it empty; the flags stay.
    void Take(CSortStrArray& other) {
        strings = std::move(other.strings);
        other.strings.clear();
    }
    void Append(const CSortStrArray& other);

    const std::vector<std::string>& Strings() const { return strings; }
    // The texts moved out; the list is left empty.
    std::vector<std::string> TakeStrings() { return std::exchange(strings, {}); }
    auto begin() const { return strings.begin(); }
    auto end() const { return strings.end(); }

    // The part of text that Sort compares: the whole text, or with the last-name flag the
    // text from just after the last space of the first line (up to its first CR).
    static std::string_view SortKey(std::string_view text, bool byLastName);
    // Byte by byte as unsigned values with A-Z folded to a-z; a key that is a prefix of the
    // other sorts first. Negative, zero or positive.
    static int CompareKeys(std::string_view a, std::string_view b);

private:
    std::vector<std::string> strings;
    std::int32_t lastNameFlag = 0;
    std::int32_t trackedPosition = -1;
};
