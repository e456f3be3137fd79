// .dim files: any 16 or more bytes are a geometry whose bytes are the file's first 16.
#include "FuzzSupport.h"

#include "labels/DimFile.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const DimFile::LoadResult r =
        DimFile::fromBytes(QByteArrayView(data, static_cast<qsizetype>(size)), QStringLiteral("f"));
    FUZZ_CHECK(r.ok() == (size >= SheetGeometry::kSize));
    if (!r.ok()) {
        FUZZ_CHECK(!r.message.isEmpty());
        return 0;
    }
    const SheetGeometry::Bytes back = r.geometry->toBytes();
    FUZZ_CHECK(std::equal(back.begin(), back.end(), data));
    return 0;
}
