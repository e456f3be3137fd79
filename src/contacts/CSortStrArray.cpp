#include "contacts/CSortStrArray.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace {

char fold(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

int CSortStrArray::Add(std::string text) {
    strings.push_back(std::move(text));
    return GetSize() - 1;
}

void CSortStrArray::InsertAt(int i, std::string text, int count) {
    strings.insert(strings.begin() + i, static_cast<std::size_t>(count), text);
}

void CSortStrArray::RemoveAt(int i, int count) {
    strings.erase(strings.begin() + i, strings.begin() + i + count);
}

void CSortStrArray::Append(const CSortStrArray& other) {
    strings.insert(strings.end(), other.strings.begin(), other.strings.end());
}

std::string_view CSortStrArray::SortKey(std::string_view text, bool byLastName) {
    if (!byLastName)
        return text;
    const auto lineEnd = std::min(text.find('\r'), text.size());
    const auto space = text.substr(0, lineEnd).rfind(' ');
    return space == std::string_view::npos ? text : text.substr(space + 1);
}

int CSortStrArray::CompareKeys(std::string_view a, std::string_view b) {
    const auto n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(fold(a[i]));
        const auto y = static_cast<unsigned char>(fold(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

void CSortStrArray::Sort() {
    // Comparing folded keys bytewise is the same order as CompareKeys: a lexicographic order
    // on the folded bytes, so a strict weak ordering, and a stable sort by it gives exactly
    // what the adjacent-exchange sort gives. The keys are folded once into one buffer, and
    // each entry carries its key's first 16 bytes, so that most comparisons of a large list
    // stay within the entries instead of reaching into scattered strings.
    const std::size_t n = strings.size();
    const bool byLastName = lastNameFlag != 0;
    struct Entry {
        std::uint64_t high, low; // the first 16 folded bytes, big-endian, zero-padded
        std::size_t offset;
        std::size_t length;
        std::size_t index;
    };
    std::size_t total = 0;
    for (const std::string& s : strings)
        total += SortKey(s, byLastName).size();
    std::string folded(total, '\0');
    std::vector<Entry> entries(n);
    std::size_t at = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const auto key = SortKey(strings[i], byLastName);
        std::transform(key.begin(), key.end(), folded.begin() + static_cast<std::ptrdiff_t>(at),
                       fold);
        std::uint64_t word[2] = {0, 0};
        for (std::size_t k = 0; k < 16 && k < key.size(); ++k)
            word[k / 8] |= std::uint64_t(static_cast<unsigned char>(folded[at + k]))
                           << (56 - 8 * (k % 8));
        entries[i] = {word[0], word[1], at, key.size(), i};
        at += key.size();
    }
    const char* base = folded.data();
    std::stable_sort(entries.begin(), entries.end(), [base](const Entry& x, const Entry& y) {
        if (x.high != y.high)
            return x.high < y.high;
        if (x.low != y.low)
            return x.low < y.low;
        const int c = std::memcmp(base + x.offset, base + y.offset, std::min(x.length, y.length));
        return c != 0 ? c < 0 : x.length < y.length;
    });

    // A tracked position outside the list is never touched by a swap, so it stays.
    std::int32_t tracked = trackedPosition;
    std::vector<std::string> sorted;
    sorted.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t from = entries[i].index;
        if (trackedPosition >= 0 && from == static_cast<std::size_t>(trackedPosition))
            tracked = static_cast<std::int32_t>(i);
        sorted.push_back(std::move(strings[from]));
    }
    strings = std::move(sorted);
    trackedPosition = tracked;
}
