#pragma once

#include <array>
#include <string>
#include <string_view>

// One label text as the lines that get printed: at most 8 lines of at most 59 characters.
struct LabelLines {
    static constexpr int kMaxLines = 8;
    static constexpr std::size_t kMaxLineChars = 59;

    std::array<std::string, kMaxLines> lines;
    int count = 0;
    int longest = 0; // 1-based index of the longest line in characters, the first of equals
    // What did not make it into the lines, so that a job can say which labels lost text.
    int dropped = 0; // lines after the eighth
    int cut = 0;     // lines cut at the length limit
};

// Splits a label text (lines separated by CR LF) into lines: white space around the text is
// dropped, LFs are ignored, lines end at CR, and lines after the eighth are dropped. A line
// longer than 59 characters is cut there. False when no line remains.
[[nodiscard]] bool SplitLabelText(std::string_view text, LabelLines& out);
