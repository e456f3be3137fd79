// The category store file: names and assignments; what is read writes back to the same store.
#include "FuzzSupport.h"

#include "contacts/Categories.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto read = Categories::FromBytes(Fuzz::bytes(data, size));
    if (!read)
        return 0;
    const QByteArray saved = read->ToBytes();
    const auto again = Categories::FromBytes(saved);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(*again == *read);
    FUZZ_CHECK(again->ToBytes() == saved);

    // Deleting categories works on whatever masks the file held.
    Categories renumbered = *read;
    renumbered.RenumberCategories(size > 0 ? static_cast<std::uint32_t>(data[0]) * 0x01010101u : 0);
    FUZZ_CHECK(renumbered.categoryStore.GetSize() <= read->categoryStore.GetSize());
    return 0;
}
