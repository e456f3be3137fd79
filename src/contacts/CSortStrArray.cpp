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
    // Comparing folded keys with memcmp is the same order as CompareKeys: a lexicographic
    // order on the folded bytes, so a strict weak ordering, and a stable sort by it gives
    // exactly what the adjacent-exchange sort gives.
    const std::size_t n = strings.size();
    std::vector<std::string> keys(n);
    for (std::size_t i = 0; i < n; ++i) {
        const auto key = SortKey(strings[i], lastNameFlag != 0);
        keys[i].resize(key.size());
        std::transform(key.begin(), key.end(), keys[i].begin(), fold);
    }
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&keys](std::size_t x, std::size_t y) {
        const std::string& a = keys[x];
        const std::string& b = keys[y];
        const int c = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
        return c != 0 ? c < 0 : a.size() < b.size();
    });

    // A tracked position outside the list is never touched by a swap, so it stays.
    std::int32_t tracked = trackedPosition;
    std::vector<std::string> sorted;
    sorted.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        if (trackedPosition >= 0 && order[i] == static_cast<std::size_t>(trackedPosition))
            tracked = static_cast<std::int32_t>(i);
        sorted.push_back(std::move(strings[order[i]]));
    }
    strings = std::move(sorted);
    trackedPosition = tracked;
}
