#include "labels/LabelFormat.h"

#include "platform/Text.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr int kPreviewResolution = 96;
constexpr int kSmallestSize = 8;    // points; below this a line is split instead
constexpr int kLargestSize = 50;    // points; the largest maximum the Fonts page accepts
constexpr int kStaggerUnit = 5;     // 1/96 inch per stagger mode step
constexpr int kHeightTolerance = 2; // device units of height overrun that still fit
constexpr int kPointsPerInch = 72;

constexpr int kStepRange = 16; // points above the fit within which sizes are all tried

// The size to try after `size` failed to fit. Text grows in proportion to its size (its
// stagger offset does not), so a block k times too large fits no sooner than at about
// size / k. Within kStepRange points of
// that estimate every size is tried, one point at a time; above it the search halves its
// distance to the estimate with each size it measures, so a tall label with a large maximum
// size costs a few dozen measurements instead of thousands. It never skips below the
// smallest size, where the search decides about splitting.
int nextSizeToTry(int size, int smallest, std::int64_t width, std::int64_t offset,
                  std::int64_t availableWidth, std::int64_t height, std::int64_t availableHeight) {
    std::int64_t estimate = size;
    if (width > availableWidth) {
        const std::int64_t text = width - offset;
        const std::int64_t room = availableWidth - offset;
        estimate = room <= 0 || text <= 0 ? 0 : estimate * room / text;
    }
    if (height > availableHeight)
        estimate = availableHeight <= 0 ? 0 : std::min(estimate, size * availableHeight / height);
    const std::int64_t gap = size - estimate;
    if (gap <= kStepRange)
        return size - 1;
    const std::int64_t candidate =
        std::max<std::int64_t>(estimate + std::max<std::int64_t>(kStepRange, gap / 2), smallest);
    return candidate < size - 1 ? static_cast<int>(candidate) : size - 1;
}

} // namespace

CLabelFormat::CLabelFormat(const LabelLines& labelLines, int l, int t, int r, int b, int textMargin,
                           int res, bool previewing, std::uint8_t sc)
    : left(l), top(t), right(r), bottom(b), preview(previewing),
      resolution(previewing ? kPreviewResolution : res), widest(labelLines.longest), scale(sc) {
    lines.reserve(LabelLines::kMaxLines);
    for (int i = 0; i < labelLines.count; ++i)
        lines.push_back(labelLines.lines[static_cast<std::size_t>(i)]);
    margin = preview ? ScaleForPreview(textMargin) : ScaleForDevice(textMargin);
}

int CLabelFormat::ScaleForPreview(int x) const {
    return x * scale / 100;
}

int CLabelFormat::ScaleForDevice(int x) const {
    return x * resolution / 96;
}

void CLabelFormat::selectSize(DrawSurface& dc, LabelFont& font, int size) {
    font.height = size * 10;
    dc.selectFont(font);
}

void CLabelFormat::SplitLongestLine() {
    if (widest < 1 || widest > static_cast<int>(lines.size()))
        return;
    const std::size_t at = static_cast<std::size_t>(widest - 1);
    const std::string& line = lines[at];
    // Half the line in characters, so that a line of accented text splits where a line of
    // plain text of the same length does.
    const std::size_t blank =
        line.find(' ', Text::byteOffsetOfChar(line, Text::charCount(line) / 2));
    const std::size_t cut = blank == std::string::npos ? 0 : blank + 1;
    std::string tail = line.substr(cut);
    lines[at].resize(cut);
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at) + 1, std::move(tail));
}

void CLabelFormat::Draw(DrawSurface& dc, int maxFontSize, int alignment, LabelFont& font) {
    if (lines.empty() || resolution <= 0)
        return;
    // A damaged file or record, or a field emptied while typing, can give any size; below the
    // smallest one every line would be set on one baseline.
    maxFontSize = std::clamp(maxFontSize, kSmallestSize, kLargestSize);
    dc.setTransparentBackground();

    int t = 0;
    if (alignment != Alignment::kCentre && alignment != Alignment::kLeftCentre) {
        t = kStaggerUnit * alignment;
        t = preview ? ScaleForPreview(t) : ScaleForDevice(t);
    }
    const int s8 = ScaleForPreview(kSmallestSize);
    const int smax = ScaleForPreview(maxFontSize);
    const int W = right - left;
    const int H = bottom - top;
    const int m = margin;

    int splitFirst = -1; // index of the first half of the split line, once split
    int size = 0;
    int maxW = 0;
    for (;;) {
        const int n = static_cast<int>(lines.size());
        const int AH = H - 2 * m;
        const int AW = W - 2 * m;
        const int LH = AH / n;
        size = LH * kPointsPerInch / resolution;
        if (size > smax)
            size = smax;
        else if (size < s8)
            size = s8;
        if (splitFirst < 0)
            startSize = size;
        selectSize(dc, font, size);

        // Measures every line; the widest (stagger included) wins, the first of equals.
        const auto measureAll = [&](int& lineHeight) {
            int widestWidth = 0;
            for (int i = 0; i < n; ++i) {
                const TextExtent e = dc.textExtent(lines[static_cast<std::size_t>(i)]);
                lineHeight = e.cy;
                const int w = e.cx + t * i;
                if (w > widestWidth) {
                    widestWidth = w;
                    widest = i + 1;
                }
            }
            return widestWidth;
        };
        int cy = 0;
        maxW = measureAll(cy);
        int EH = cy * n - AH;
        int EW = maxW - AW;

        bool restart = false;
        int cyN = cy * n;
        bool allMeasured = true;
        for (;;) {
            if (EW <= 0 && EH <= kHeightTolerance) {
                // The stagger does not shrink with the text, so a line further down may have
                // become the widest: the size stands only once every line fits.
                if (t == 0 || allMeasured)
                    break;
                maxW = measureAll(cy);
                allMeasured = true;
                EW = maxW - AW;
                if (EW <= 0)
                    break;
            }
            size = nextSizeToTry(size, s8, maxW, std::int64_t{t} * (widest - 1), AW, cyN,
                                 AH + kHeightTolerance);
            selectSize(dc, font, size);
            // Only the widest line is measured while shrinking: without a stagger it stays the
            // widest, and with one the check above measures them all before a size stands.
            const TextExtent e = dc.textExtent(lines[static_cast<std::size_t>(widest - 1)]);
            allMeasured = false;
            maxW = e.cx + t * (widest - 1);
            cyN = e.cy * n;
            EH = cyN - AH;
            EW = maxW - AW;
            if (size >= s8)
                continue;
            if (splitFirst < 0 && n < LabelLines::kMaxLines) {
                SplitLongestLine();
                splitFirst = widest - 1;
                restart = true;
            }
            break;
        }
        fitted = EW <= 0 && EH <= kHeightTolerance;
        if (!restart)
            break;
    }
    finalSize = size;
    split = splitFirst >= 0;

    const int n = static_cast<int>(lines.size());
    const TextMetrics tm = dc.textMetrics();
    const int LS = tm.tmHeight + tm.tmExternalLeading;
    int y = (H - LS * n) / 2;
    int x = alignment == Alignment::kLeft ? m : (W - maxW) / 2;
    if (!preview) {
        x += left;
        y += top;
    } else {
        dc.frameRect({0, 0, W, H}, StockBrush::DarkGrey);
        dc.frameRect({m, m, W - m, H - m}, StockBrush::LightGrey);
    }
    for (int i = 0; i < n; ++i) {
        const std::string& line = lines[static_cast<std::size_t>(i)];
        const int cx = dc.textExtent(line).cx;
        if (alignment == Alignment::kCentre)
            x = (W - cx) / 2 + (preview ? 0 : left);
        dc.textOut(x, y, line);
        y += LS;
        if (alignment != Alignment::kCentre && alignment != Alignment::kLeftCentre &&
            i != splitFirst)
            x += t;
    }
}
