// vCard files: every card gives one contact text, and that text is one a contact list can
// hold: saved and opened again, it is the same contact.
#include "FuzzSupport.h"

#include "contacts/CCSVFile.h"
#include "contacts/ContactText.h"
#include "contacts/VCardParser.h"
#include "platform/Text.h"

namespace {

void checkText(const std::string& text) {
    FUZZ_CHECK(Text::isValidUtf8(text));
    // A TAB would cut the contact into fields once it is saved in a contact list.
    FUZZ_CHECK(text.find('\t') == std::string::npos);
    if (text.empty())
        return;
    // Lines are separated by CR LF, none is empty, and no CR or LF stands alone. (The last
    // line may end without one: a US-style region or a lone title.)
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find("\r\n", at), text.size());
        FUZZ_CHECK(end > at);
        FUZZ_CHECK(text.substr(at, end - at).find_first_of("\r\n") == std::string::npos);
        at = end + 2;
    }
}

// The text as a contact list reads it back: lines become fields, every one kept.
std::string asReadBack(const std::string& text) {
    const std::string_view trimmed = ContactText::trim(text);
    std::vector<std::string_view> lines;
    for (std::size_t at = 0; at < trimmed.size();) {
        const std::size_t end = std::min(trimmed.find("\r\n", at), trimmed.size());
        lines.push_back(trimmed.substr(at, end - at));
        at = end + 2;
    }
    std::string out;
    for (const std::string_view line : lines) {
        if (!out.empty())
            out += "\r\n";
        out += line;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Fuzz::silence();
    const QByteArray input = Fuzz::bytes(data, size);
    const std::vector<VCard> cards = VCardParser::Parse(input);
    for (const VCard& card : cards) {
        FUZZ_CHECK(Text::isValidUtf8(card.formattedName));
        for (const std::string& part : card.name)
            FUZZ_CHECK(Text::isValidUtf8(part));
        for (const std::string& part : card.address)
            FUZZ_CHECK(Text::isValidUtf8(part));
    }
    for (const bool usStyle : {false, true}) {
        const std::vector<std::string> texts = VCardParser::ContactTexts(input, usStyle);
        FUZZ_CHECK(texts.size() == cards.size());
        CSortStrArray list;
        std::vector<std::string> expected;
        for (const std::string& text : texts) {
            checkText(text);
            if (ContactText::trim(text).empty() || list.GetSize() == CCSVFile::kMaxContacts)
                continue;
            list.Add(text);
            expected.push_back(asReadBack(text));
        }
        CSortStrArray reread;
        CCSVFile saved(CCSVFile::WriteContacts(list), QStringLiteral("fuzz.csv"), false);
        FUZZ_CHECK(saved.DetectFormat() == CCSVFile::OwnFormat);
        (void)saved.ReadContacts(reread);
        FUZZ_CHECK(reread.Strings() == expected);
    }
    return 0;
}
