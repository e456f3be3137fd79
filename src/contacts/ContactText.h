#pragma once

#include <string>
#include <string_view>

// A contact is UTF-8 text whose lines are separated by "\r\n": the name first, then the
// address lines. Its display text is what the contacts pane shows and what the category
// store is keyed by.
namespace ContactText {

struct Display {
    std::string text;
    bool hasAddress = false;
};

// The first line when the text holds at least two line feeds (the contact then has an
// address), else the whole text; trimmed of white space either way.
Display DisplayText(std::string_view contact);

// Space, tab, CR, LF, vertical tab and form feed.
bool isWhiteSpace(char c);
std::string_view trim(std::string_view s);
std::string_view trimRight(std::string_view s);

} // namespace ContactText
