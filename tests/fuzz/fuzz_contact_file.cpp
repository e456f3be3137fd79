// Contact list files: detection, reading, and the round trip through the writer.
#include "FuzzSupport.h"

#include "contacts/CCSVFile.h"

namespace {

CSortStrArray readOwnFormat(const QByteArray& data, bool usStyle) {
    CSortStrArray list;
    CCSVFile file(data, QStringLiteral("fuzz.csv"), usStyle);
    if (file.DetectFormat() == CCSVFile::OwnFormat)
        (void)file.ReadContacts(list);
    return list;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Fuzz::SilentPrompt& prompt = Fuzz::silence();
    const QByteArray input = Fuzz::bytes(data, size);
    for (const bool usStyle : {false, true}) {
        prompt.messages = 0;
        CCSVFile file(input, QStringLiteral("fuzz.csv"), usStyle);
        const CCSVFile::Format format = file.DetectFormat();
        if (format == CCSVFile::Foreign) {
            FUZZ_CHECK(file.delimiter() != 0);
            // A line over the field limit stops the count, before any line was counted when
            // it is the first.
            FUZZ_CHECK(file.fieldCount() >= (prompt.messages > 0 ? 1 : 2));
            FUZZ_CHECK(file.fieldCount() <= CCSVFile::kMaxFields);
        }
        if (format != CCSVFile::OwnFormat)
            continue;
        CSortStrArray contacts;
        const int appended = file.ReadContacts(contacts);
        FUZZ_CHECK(appended == contacts.GetSize());
        FUZZ_CHECK(appended <= CCSVFile::kMaxContacts);

        // Saving keeps every contact, and once saved a list reads back as the same contacts
        // and saves as the same bytes. (The first save may still normalise what a hand-made
        // file held: blanks around a contact go, and lines left empty once their CRs are
        // removed are skipped when the file is read again.)
        const QByteArray saved = CCSVFile::WriteContacts(contacts);
        const CSortStrArray reread = readOwnFormat(saved, false);
        FUZZ_CHECK(reread.GetSize() == contacts.GetSize());
        const QByteArray savedAgain = CCSVFile::WriteContacts(reread);
        const CSortStrArray rereadAgain = readOwnFormat(savedAgain, false);
        FUZZ_CHECK(rereadAgain.Strings() == reread.Strings());
        FUZZ_CHECK(CCSVFile::WriteContacts(rereadAgain) == savedAgain);
    }
    return 0;
}
