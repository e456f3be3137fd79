// Label fitting with arbitrary lines, sizes and geometry on the recording surface: the search
// ends after a bounded number of sizes, and a label reported as fitting has every drawn line
// inside its rectangle.
#include "FuzzSupport.h"
#include "labels/RecordingSurface.h"

#include "labels/LabelFormat.h"
#include "labels/LabelLines.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

constexpr int kSmallest = 8;
constexpr int kTolerance = 2; // the height overrun that still counts as fitting

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int left = in.ConsumeIntegralInRange(-(1 << 24), 1 << 24);
    const int top = in.ConsumeIntegralInRange(-(1 << 24), 1 << 24);
    const int width = in.ConsumeIntegralInRange(-1000, 1 << 24);
    const int height = in.ConsumeIntegralInRange(-1000, 1 << 24);
    const int resolution = in.ConsumeIntegralInRange(10, 9600) / 10 * 10;
    const auto margin = in.ConsumeIntegral<std::uint8_t>();
    const auto maxSize = in.ConsumeIntegral<std::uint16_t>();
    const auto alignment = in.ConsumeIntegral<std::uint8_t>();
    const bool preview = in.ConsumeBool();
    const auto scale = in.ConsumeIntegralInRange<std::uint8_t>(1, 255);
    const std::string text = in.ConsumeRemainingBytesAsString();

    LabelLines lines;
    if (!SplitLabelText(text, lines))
        return 0;
    FUZZ_CHECK(lines.count >= 1 && lines.count <= LabelLines::kMaxLines);
    for (int i = 0; i < lines.count; ++i)
        FUZZ_CHECK(static_cast<std::size_t>(RecordingSurface::characters(
                       lines.lines[static_cast<std::size_t>(i)])) <= LabelLines::kMaxLineChars);

    RecordingSurface dc;
    dc.dpi = preview ? 96 : resolution;
    CLabelFormat label(lines, left, top, left + width, top + height, margin, resolution, preview,
                       preview ? scale : 100);
    LabelFont font = MakeLabelFont("Serif", 0, 0, 0);
    label.Draw(dc, maxSize, alignment, font);
    if (std::getenv("FUZZ_VERBOSE") != nullptr) {
        std::fprintf(stderr,
                     "rect %d %d %d %d res %d margin %d->%d max %d align %d preview %d "
                     "scale %d final %d\n",
                     left, top, width, height, resolution, margin, label.Margin(), maxSize,
                     alignment, preview, scale, label.FinalSize());
        for (const int h : dc.fontHeights)
            std::fprintf(stderr, " %d", h / 10);
        std::fprintf(stderr, "\n");
        for (const auto& out : dc.outs)
            std::fprintf(stderr, "  %d,%d px %d [%s]\n", out.x, out.y, out.pixels,
                         out.text.c_str());
    }

    // Bounded search: a full measurement at each start (two with a split) and then at most
    // a short run of sizes, however tall the label or large the maximum.
    FUZZ_CHECK(dc.fontHeights.size() <= 200);
    FUZZ_CHECK(label.Lines().size() <= static_cast<std::size_t>(LabelLines::kMaxLines));
    FUZZ_CHECK(dc.outs.size() == label.Lines().size());

    const int smallest = preview ? kSmallest * scale / 100 : kSmallest;
    const int margin2 = label.Margin();
    const bool fits = label.FinalSize() >= smallest;
    if (!fits || dc.pixels() <= 0)
        return 0;
    // Fitting: every line within the text area across, and the block within the label's
    // height (less the tolerance), wherever the alignment put it.
    const int x0 = preview ? 0 : left;
    const int y0 = preview ? 0 : top;
    const int lineStep = dc.textMetrics().tmHeight;
    for (const auto& out : dc.outs) {
        const int w = RecordingSurface::characters(out.text) * out.pixels;
        if (alignment == Alignment::kLeft) {
            FUZZ_CHECK(out.x >= x0 + margin2);
        } else {
            FUZZ_CHECK(out.x >= x0 + margin2 - 1 || w == 0);
        }
        FUZZ_CHECK(out.x + w <= x0 + width - margin2 + 1);
        FUZZ_CHECK(out.y >= y0 - kTolerance);
        FUZZ_CHECK(out.y + lineStep <= y0 + height + kTolerance);
    }
    return 0;
}
