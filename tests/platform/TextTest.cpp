#include "platform/Text.h"

#include <gtest/gtest.h>

TEST(Text, ValidUtf8IsKeptAndWindows1252IsConverted) {
    struct Case {
        std::string in;
        std::string out;
    } cases[] = {
        {"plain", "plain"},
        {"M\xC3\xBCller", "M\xC3\xBCller"}, // already UTF-8
        {"M\xFCller", "M\xC3\xBCller"},     // Latin-1 range
        {"\x80 5", "\xE2\x82\xAC 5"},       // euro sign from the 0x80 block
        {"caf\xE9 \x93q\x94", "caf\xC3\xA9 \xE2\x80\x9Cq\xE2\x80\x9D"},
        {"\xC3", "\xC3\x83"}, // a cut sequence is not UTF-8
    };
    for (const Case& c : cases)
        EXPECT_EQ(Text::from8Bit(c.in), c.out) << c.in;
}

TEST(Text, CutNeverSplitsACharacter) {
    const std::string s = "ab\xC3\xA9\xE2\x82\xAC"; // a b é €
    EXPECT_EQ(Text::cutUtf8(s, 10), s);
    EXPECT_EQ(Text::cutUtf8(s, 4), "ab\xC3\xA9");
    EXPECT_EQ(Text::cutUtf8(s, 3), "ab");
    EXPECT_EQ(Text::cutUtf8(s, 6), "ab\xC3\xA9");
    EXPECT_EQ(Text::cutUtf8(s, 0), "");
}

TEST(Text, Utf16WithSurrogates) {
    const std::u16string in = u"A\u00E9\U0001F600";
    EXPECT_EQ(Text::fromUtf16(in), "A\xC3\xA9\xF0\x9F\x98\x80");
}

TEST(Text, DecodesFilesOfEveryEncoding) {
    struct Case {
        std::string in;
        std::string out;
        Text::Encoding encoding;
    } cases[] = {
        {"Zo\xC3\xAB", "Zo\xC3\xAB", Text::Encoding::Utf8},
        {"\xEF\xBB\xBFZo\xC3\xAB", "Zo\xC3\xAB", Text::Encoding::Utf8WithMark},
        {std::string("\xFF\xFEZ\0\xEB\0", 6), "Z\xC3\xAB", Text::Encoding::Utf16LE},
        {std::string("\xFE\xFF\0Z\0\xEB", 6), "Z\xC3\xAB", Text::Encoding::Utf16BE},
        {std::string("A\0,\0B\0", 6), "A,B", Text::Encoding::Utf16LE},
        {std::string("\0A\0,\0B", 6), "A,B", Text::Encoding::Utf16BE},
        {"Zo\xEB", "Zo\xC3\xAB", Text::Encoding::Windows1252},
        // A stray zero byte in 8-bit text is dropped, not taken for UTF-16.
        {std::string("Ann Lee\0, 12 Road", 18), "Ann Lee, 12 Road", Text::Encoding::Utf8},
        // A byte-order mark and nothing else.
        {"\xFF\xFE", "", Text::Encoding::Utf16LE},
        {"", "", Text::Encoding::Utf8},
    };
    for (const Case& c : cases) {
        Text::Encoding found{};
        EXPECT_EQ(Text::decodeFile(c.in, &found), c.out) << c.in;
        EXPECT_EQ(found, c.encoding) << c.in;
    }
}
