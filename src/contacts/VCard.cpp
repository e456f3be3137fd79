#include "contacts/VCard.h"

#include "platform/Text.h"

#include <QString>

namespace {

const std::string kLineBreak = "\r\n";

// True when name starts with prefix as a whole word: "Dr. Bea Cole" starts with "Dr." and
// with "Dr", "Drew Cole" does not start with "Dr". Case is ignored.
bool startsWithWord(const std::string& name, const std::string& prefix) {
    const QString n = Text::toQString(name);
    const QString p = Text::toQString(prefix);
    if (!n.startsWith(p, Qt::CaseInsensitive))
        return false;
    return n.size() == p.size() || !n.at(p.size()).isLetterOrNumber();
}

void collapseEmptyLines(std::string& text) {
    const std::string twice = kLineBreak + kLineBreak;
    while (text.find(twice) != std::string::npos) {
        std::string out;
        out.reserve(text.size());
        std::size_t at = 0;
        for (std::size_t hit; (hit = text.find(twice, at)) != std::string::npos;
             at = hit + twice.size()) {
            out.append(text, at, hit - at);
            out += kLineBreak;
        }
        out.append(text, at, std::string::npos);
        text = std::move(out);
    }
}

} // namespace

std::string VCard::namePart(int part) const {
    return part < static_cast<int>(name.size()) ? name[static_cast<std::size_t>(part)]
                                                : std::string();
}

std::string VCard::addressPart(int part) const {
    return part < static_cast<int>(address.size()) ? address[static_cast<std::size_t>(part)]
                                                   : std::string();
}

std::string VCard::FormattedNameOrGivenFamily() const {
    if (!formattedName.empty())
        return formattedName;
    std::string joined = namePart(Given);
    const std::string family = namePart(Family);
    if (!joined.empty() && !family.empty())
        joined += ' ';
    joined += family;
    return joined;
}

std::string VCard::ContactText(bool usStyle) const {
    const std::string formatted = FormattedNameOrGivenFamily();
    std::string title = namePart(Prefix);
    // Programs write the prefix into the formatted name too; it is not repeated.
    if (!title.empty() && startsWithWord(formatted, title))
        title.clear();

    std::string street;
    for (int part : {PoBox, Extended, Street}) {
        const std::string line = addressPart(part);
        if (line.empty())
            continue;
        if (!street.empty())
            street += kLineBreak;
        street += line;
    }

    // Each value present is appended with its separator; a missing one adds nothing.
    const std::string townSeparator = usStyle ? "  " : kLineBreak;
    const struct {
        std::string value;
        std::string separator;
    } parts[] = {
        {title, " "},
        {formatted, kLineBreak},
        {street, kLineBreak},
        {addressPart(Locality), townSeparator},
        {addressPart(Region), townSeparator},
        {addressPart(PostalCode), kLineBreak},
        {addressPart(Country), kLineBreak},
    };
    std::string text;
    for (const auto& p : parts) {
        if (p.value.empty())
            continue;
        text += p.value;
        text += p.separator;
    }
    collapseEmptyLines(text);
    return text;
}
