#pragma once

#include "contacts/CMyContactsArray.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The user's categories: the ordered names (position = bit number in the masks) and the
// assignment store keyed by display text. The main window holds one for the whole run;
// the settings page and the assign dialog work on copies.
class Categories {
public:
    static constexpr int kMaxCategories = 30;
    // Store files this long or shorter are not read: they stand for no names and no entries.
    static constexpr qint64 kEmptyFileSize = 4;
    // How long "Loading Categories..." stays up before reading.
    static constexpr int kLoadingPauseMs = 1000;

    // The bit of category k; positions beyond the 32 bits wrap round, as the pane's filter does.
    static std::uint32_t Bit(int k) { return 1u << (static_cast<unsigned>(k) & 31u); }

    // True when an entry for exactly this display text has bit k set.
    bool IsInCategory(std::string_view displayText, int k) const;

    // Applies the deletions recorded in deletedMask (bit p = the category then at position
    // p was deleted): remaining categories move down to their new positions, deleted ones
    // leave their contacts, and entries left with no category are dropped.
    void RenumberCategories(std::uint32_t deletedMask);

    // The store file's bytes: the names (count and length-prefixed strings), then the store.
    QByteArray ToBytes() const;
    // Reads what ToBytes writes (wide strings included); nullopt when the data end early or
    // hold counts or lengths they cannot, so that nothing of a damaged file is taken.
    static std::optional<Categories> FromBytes(const QByteArray& bytes);

    enum class LoadResult { Loaded, NoFile, Failed };
    // Reads the store file at path. A missing file leaves everything empty silently; an
    // unreadable or damaged one leaves everything empty and tells the user once (the file
    // itself is left alone). When the file holds anything, showLoading is called and the
    // program pauses before reading, so the user sees what start-up is doing.
    [[nodiscard]] LoadResult LoadCategories(const QString& path,
                                            const std::function<void()>& showLoading = {});
    // Writes the store file atomically; the old file stays when writing fails, and the user
    // is told. Only worth calling when names exist (see ShouldSave).
    [[nodiscard]] bool SaveCategories(const QString& path) const;
    // The categories are saved at the end only when a name exists, so deleting every
    // category keeps the previous file.
    bool ShouldSave() const { return !categoryNames.empty(); }

    bool operator==(const Categories&) const = default;

    std::vector<std::string> categoryNames;
    CMyContactsArray categoryStore;
};
