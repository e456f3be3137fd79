// Text decoding: 8-bit and UTF-16 text become valid UTF-8, valid UTF-8 passes unchanged, and
// text cut at a limit stays valid UTF-8.
#include "FuzzSupport.h"

#include "platform/Text.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view in = Fuzz::view(data, size);
    const std::string text = Text::from8Bit(in);
    FUZZ_CHECK(Text::isValidUtf8(text));
    if (Text::isValidUtf8(in)) {
        FUZZ_CHECK(text == in);
        // Qt agrees on what valid UTF-8 is: decoding then encoding is the identity.
        FUZZ_CHECK(Text::fromQString(Text::toQString(in)) == in);
    }
    FUZZ_CHECK(Text::from8Bit(text) == text);

    std::u16string units(size / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    const std::string wide = Text::fromUtf16(units);
    FUZZ_CHECK(Text::isValidUtf8(wide));
    FUZZ_CHECK(Text::toQString(wide).size() <= static_cast<qsizetype>(units.size()));

    // Every limit, from the first byte's value up: the cut is a prefix, within the limit,
    // valid, and gives up less than one character.
    const std::size_t first = size > 0 ? data[0] % 8 : 0;
    for (std::size_t limit = first; limit <= text.size() + 1; limit += 1 + limit / 4) {
        const std::string_view cut = Text::cutUtf8(text, limit);
        FUZZ_CHECK(cut.size() <= limit);
        FUZZ_CHECK(text.compare(0, cut.size(), cut) == 0);
        FUZZ_CHECK(Text::isValidUtf8(cut));
        FUZZ_CHECK(cut.size() + 4 > std::min(limit, text.size()));
    }
    return 0;
}
