// The vendor's latest-version file: its number is what atoi reads from the first seven
// bytes, whatever follows them.
#include "FuzzSupport.h"

#include "online/UpdateCheck.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray file = Fuzz::bytes(data, size);
    const int version = UpdateCheck::LatestVersion(file);
    const std::string head(file.constData(),
                           std::min<std::size_t>(size, UpdateCheck::kSignificantBytes));
    FUZZ_CHECK(version == std::atoi(head.c_str()));
    FUZZ_CHECK(version == UpdateCheck::LatestVersion(file.left(UpdateCheck::kSignificantBytes)));
    return 0;
}
