#include "contacts/CategoryAssignment.h"

#include "contacts/Categories.h"

CategoryAssignment::CategoryAssignment(const CMyContactsArray& store,
                                       std::vector<std::string> selected)
    : selected_(std::move(selected)) {
    store_.Append(store);
}

bool CategoryAssignment::AnySelectedIn(int k) const {
    const std::uint32_t bit = Categories::Bit(k);
    for (const std::string& text : selected_) {
        if (store_.FindWithBits(text, bit) >= 0)
            return true;
    }
    return false;
}

std::string CategoryAssignment::EntryText(const std::string& name, int k) const {
    return AnySelectedIn(k) ? name + " *" : name;
}

int CategoryAssignment::FindBefore(const std::string& text, int end) const {
    for (int i = 0; i < end; ++i) {
        if (store_.GetAt(i) == text)
            return i;
    }
    return -1;
}

void CategoryAssignment::Set(int k) {
    const std::uint32_t bit = Categories::Bit(k);
    const int existing = store_.GetSize();
    for (const std::string& text : selected_) {
        const int i = FindBefore(text, existing);
        if (i >= 0)
            store_.SetBits(i, bit);
        else
            store_.Add(text, bit);
    }
}

void CategoryAssignment::Remove(int k) {
    // Membership goes by display text, and a text can have several entries (Set adds one
    // per selected contact), so the bit goes from every entry of the text: otherwise the
    // contact would stay in the category that was just removed.
    const std::uint32_t bit = Categories::Bit(k);
    for (const std::string& text : selected_) {
        int i = store_.Find(text);
        while (i >= 0) {
            store_.ClearBits(i, bit);
            if (store_.GetMask(i) == 0)
                store_.RemoveAt(i);
            else
                ++i;
            i = store_.Find(text, i);
        }
    }
}
