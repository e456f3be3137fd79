#include "contacts/Categories.h"

#include "platform/Archive.h"
#include "platform/FileError.h"
#include "platform/Pause.h"
#include "platform/Prompt.h"
#include "platform/RegularFile.h"
#include "platform/SaveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

bool Categories::IsInCategory(std::string_view displayText, int k) const {
    const std::uint32_t bit = Bit(k);
    for (int i = 0; i < categoryStore.GetSize(); ++i) {
        if (categoryStore.TestBits(i, bit) != 0 && categoryStore.GetAt(i) == displayText)
            return true;
    }
    return false;
}

void Categories::RenumberCategories(std::uint32_t deletedMask) {
    int i = 0;
    while (i < categoryStore.GetSize()) {
        // 64 bits, so that dropping bit 31 may shift by 32.
        std::uint64_t m = categoryStore.GetMask(i);
        bool removed = false;
        unsigned c = 0; // the position p has now that earlier deletions moved it down
        for (unsigned p = 0; p < 32; ++p) {
            if ((deletedMask & (1u << p)) == 0) {
                ++c;
                continue;
            }
            const std::uint64_t below = m & ((std::uint64_t{1} << c) - 1);
            m = ((m >> (c + 1)) << c) + below;
            if (m == 0) {
                categoryStore.RemoveAt(i);
                removed = true;
                break;
            }
        }
        if (removed)
            continue;
        categoryStore.ClearBits(i, 0xFFFFFFFFu);
        categoryStore.SetBits(i, static_cast<std::uint32_t>(m));
        ++i;
    }
}

QByteArray Categories::ToBytes() const {
    ArchiveWriter out;
    out.count(static_cast<std::uint32_t>(categoryNames.size()));
    for (const std::string& name : categoryNames)
        out.string(name);
    categoryStore.Store(out);
    return out.data();
}

std::optional<Categories> Categories::FromBytes(const QByteArray& bytes) {
    ArchiveReader in(bytes);
    const auto n = in.count();
    // Every name takes at least its one-byte length, so a count the data cannot hold is
    // refused before anything is sized by it.
    if (!n || *n > in.remaining())
        return std::nullopt;
    Categories result;
    result.categoryNames.reserve(*n);
    for (std::uint32_t i = 0; i < *n; ++i) {
        auto name = in.string();
        if (!name)
            return std::nullopt;
        result.categoryNames.push_back(std::move(*name));
    }
    if (!result.categoryStore.Load(in))
        return std::nullopt;
    return result;
}

Categories::LoadResult Categories::LoadCategories(const QString& path,
                                                  const std::function<void()>& showLoading) {
    QFile file;
    if (const auto cause = RegularFile::open(file, path); cause != FileError::None) {
        if (!QFileInfo::exists(path))
            return LoadResult::NoFile;
        showMessage(FileError::cantOpenMessage(path, cause));
        return LoadResult::Failed;
    }
    if (file.size() <= kEmptyFileSize) {
        // Nothing beyond the two empty counts can be in it, so it is not read at all.
        *this = Categories();
        return LoadResult::Loaded;
    }
    if (showLoading)
        showLoading();
    Pause::sleepMs(kLoadingPauseMs);
    const QByteArray bytes = file.readAll();
    std::optional<Categories> read;
    if (file.error() == QFileDevice::NoError)
        read = FromBytes(bytes);
    if (!read) {
        showMessage(QStringLiteral("The categories file ") + path +
                        QStringLiteral(" is damaged, so no categories were loaded.\n"
                                       "The file is kept as it is unless you create "
                                       "categories, which then replace it."),
                    kAppCaption, Prompt::Buttons::Ok, Prompt::Icon::Warning);
        return LoadResult::Failed;
    }
    *this = std::move(*read);
    return LoadResult::Loaded;
}

bool Categories::SaveCategories(const QString& path) const {
    QDir().mkpath(QFileInfo(path).absolutePath());
    const auto outcome = SaveFile::write(path, ToBytes());
    if (!outcome.ok) {
        showMessage(QStringLiteral("The categories couldn't be saved to ") + path +
                    QStringLiteral(".\n") + outcome.reason);
        return false;
    }
    return true;
}
