#include "contacts/CMyContactsArray.h"

#include "platform/Archive.h"

int CMyContactsArray::Add(std::string text, std::uint32_t mask) {
    texts.push_back(std::move(text));
    masks.push_back(mask);
    return GetSize() - 1;
}

void CMyContactsArray::Append(const CMyContactsArray& other) {
    texts.insert(texts.end(), other.texts.begin(), other.texts.end());
    masks.insert(masks.end(), other.masks.begin(), other.masks.end());
}

void CMyContactsArray::RemoveAll() {
    texts.clear();
    masks.clear();
}

void CMyContactsArray::RemoveAt(int i) {
    texts.erase(texts.begin() + i);
    masks.erase(masks.begin() + i);
}

int CMyContactsArray::Find(std::string_view text, int from) const {
    for (int i = from; i < GetSize(); ++i) {
        if (texts[idx(i)] == text)
            return i;
    }
    return -1;
}

int CMyContactsArray::FindWithBits(std::string_view text, std::uint32_t bits) const {
    for (int i = 0; i < GetSize(); ++i) {
        if ((masks[idx(i)] & bits) != 0 && texts[idx(i)] == text)
            return i;
    }
    return -1;
}

void CMyContactsArray::Store(ArchiveWriter& out) const {
    out.count(static_cast<std::uint32_t>(texts.size()));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        out.string(texts[i]);
        out.u32(masks[i]);
    }
}

bool CMyContactsArray::Load(ArchiveReader& in) {
    const auto n = in.count();
    // Every entry takes at least five bytes (a one-byte length and the mask), so a count
    // the data cannot hold is refused before anything is sized by it.
    if (!n || *n > in.remaining() / 5)
        return false;
    std::vector<std::string> newTexts;
    std::vector<std::uint32_t> newMasks;
    newTexts.reserve(*n);
    newMasks.reserve(*n);
    for (std::uint32_t i = 0; i < *n; ++i) {
        auto text = in.string();
        const auto mask = text ? in.u32() : std::nullopt;
        if (!mask)
            return false;
        newTexts.push_back(std::move(*text));
        newMasks.push_back(*mask);
    }
    texts = std::move(newTexts);
    masks = std::move(newMasks);
    return true;
}
