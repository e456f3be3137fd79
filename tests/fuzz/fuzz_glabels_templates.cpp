// gLabels template files: any bytes give sheets the program can print, or a message, and
// every template is either taken or counted as skipped.
#include "FuzzSupport.h"

#include "labels/GLabelsTemplateReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    GLabelsTemplateReader reader(LabelSheet::Origin::UserGLabels);
    // The same bytes as a paper list first, so templates may name the papers they define.
    reader.readPaperSizes(bytes);
    const bool ok = reader.read(bytes, QStringLiteral("f.template"));
    FUZZ_CHECK(ok == reader.error().isEmpty());
    const std::vector<LabelSheet> sheets = reader.finish();
    for (const LabelSheet& s : sheets) {
        FUZZ_CHECK(s.problems().isEmpty());
        FUZZ_CHECK(!s.maker.isEmpty() && s.codes.size() == 1 && !s.code().isEmpty());
        FUZZ_CHECK(s.origin == LabelSheet::Origin::UserGLabels);
    }
    const GLabelsTemplateReader::Skipped& k = reader.skipped();
    FUZZ_CHECK(k.notRectangular >= 0 && k.notOneGrid >= 0 && k.otherPaper >= 0 &&
               k.impossible >= 0 && k.unresolved >= 0);
    return 0;
}
