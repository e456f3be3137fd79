#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The names as the "Categories and more" page edits them: additions, deletions and renames
// stay here until the settings sheet is closed with OK. Deleting a name that existed when
// the page opened records its original position in the deleted mask, from which the
// assignments are renumbered on OK.
class CategoryNameList {
public:
    explicit CategoryNameList(std::vector<std::string> names);

    enum class AddResult { Added, TooMany };
    // Appends a name at the end, unless the list already holds the maximum.
    [[nodiscard]] AddResult Add(std::string name);
    // index must be in range.
    void Delete(int index);
    // Keeps the position, so the category's contacts stay with it under the new name.
    void Rename(int index, std::string name);

    int GetSize() const { return static_cast<int>(names_.size()); }
    const std::string& GetAt(int index) const { return names_[static_cast<std::size_t>(index)]; }
    const std::vector<std::string>& names() const { return names_; }
    std::uint32_t deletedMask() const { return deletedMask_; }
    // True when the names or the assignments they stand for will change on OK.
    bool changed() const { return names_ != original_ || deletedMask_ != 0; }

private:
    std::vector<std::string> names_;
    std::vector<std::string> original_;
    // Per name, its position when the page opened; -1 for a name added since.
    std::vector<int> originalPosition_;
    std::uint32_t deletedMask_ = 0;
};
