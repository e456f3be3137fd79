#include "contacts/CategoryNameList.h"

#include "contacts/Categories.h"

CategoryNameList::CategoryNameList(std::vector<std::string> names)
    : names_(std::move(names)), original_(names_) {
    originalPosition_.reserve(names_.size());
    for (std::size_t i = 0; i < names_.size(); ++i)
        originalPosition_.push_back(static_cast<int>(i));
}

CategoryNameList::AddResult CategoryNameList::Add(std::string name) {
    if (GetSize() >= Categories::kMaxCategories)
        return AddResult::TooMany;
    names_.push_back(std::move(name));
    originalPosition_.push_back(-1);
    return AddResult::Added;
}

void CategoryNameList::Delete(int index) {
    const auto i = static_cast<std::size_t>(index);
    const int was = originalPosition_[i];
    // A store file may hold more names than the masks have bits; those have no contacts.
    if (was >= 0 && was < 32)
        deletedMask_ |= 1u << was;
    names_.erase(names_.begin() + index);
    originalPosition_.erase(originalPosition_.begin() + index);
}

void CategoryNameList::Rename(int index, std::string name) {
    names_[static_cast<std::size_t>(index)] = std::move(name);
}
