// LibreOffice's label list: any bytes give sheets the program can print, or a message.
#include "FuzzSupport.h"

#include "labels/LibreOfficeLabelReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    LibreOfficeLabelReader reader;
    const bool ok = reader.read(Fuzz::bytes(data, size), QStringLiteral("labels.xml"));
    FUZZ_CHECK(ok == reader.error().isEmpty());
    for (const LabelSheet& s : reader.sheets()) {
        FUZZ_CHECK(s.problems().isEmpty());
        FUZZ_CHECK(!s.maker.isEmpty() && s.codes.size() == 1 && !s.code().isEmpty());
        FUZZ_CHECK(s.origin == LabelSheet::Origin::LibreOffice);
    }
    return 0;
}
