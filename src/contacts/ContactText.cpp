#include "contacts/ContactText.h"

namespace ContactText {

bool isWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view trimRight(std::string_view s) {
    while (!s.empty() && isWhiteSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isWhiteSpace(s.front()))
        s.remove_prefix(1);
    return trimRight(s);
}

Display DisplayText(std::string_view contact) {
    const auto p = contact.find('\n');
    if (p != std::string_view::npos && contact.find('\n', p + 1) != std::string_view::npos) {
        // The first line up to its LF; the CR before it goes with the trimming, and a bare
        // LF line end keeps the line's last character.
        return {std::string(trim(contact.substr(0, p))), true};
    }
    return {std::string(trim(contact)), false};
}

} // namespace ContactText
