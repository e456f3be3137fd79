#include "labels/LabelLines.h"

#include "platform/Text.h"

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

} // namespace

bool SplitLabelText(std::string_view text, LabelLines& out) {
    out.count = 0;
    out.longest = 0;
    out.dropped = 0;
    out.cut = 0;
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isSpace(text[begin]))
        ++begin;
    while (end > begin && isSpace(text[end - 1]))
        --end;
    if (begin == end)
        return false;

    std::string* line = &out.lines[0];
    line->clear();
    for (std::size_t i = begin; i < end; ++i) {
        const char c = text[i];
        if (c == '\n')
            continue;
        if (c == '\r') {
            if (++out.count == LabelLines::kMaxLines) {
                // Every CR left ends one more line that will not print.
                out.dropped = 1;
                for (std::size_t j = i + 1; j < end; ++j)
                    out.dropped += text[j] == '\r';
                break;
            }
            line = &out.lines[static_cast<std::size_t>(out.count)];
            line->clear();
            continue;
        }
        *line += c;
    }
    if (out.count < LabelLines::kMaxLines)
        ++out.count; // the last line ends with the text

    std::size_t longestChars = 0;
    for (int i = 0; i < out.count; ++i) {
        std::string& l = out.lines[static_cast<std::size_t>(i)];
        const std::size_t before = l.size();
        l.resize(Text::cutChars(l, LabelLines::kMaxLineChars).size());
        out.cut += l.size() != before;
        const std::size_t chars = Text::charCount(l);
        if (out.longest == 0 || chars > longestChars) {
            longestChars = chars;
            out.longest = i + 1;
        }
    }
    for (int i = out.count; i < LabelLines::kMaxLines; ++i)
        out.lines[static_cast<std::size_t>(i)].clear();
    return true;
}
