#pragma once

#include "labels/DrawSurface.h"
#include "labels/LabelFont.h"
#include "labels/LabelLines.h"

#include <cstdint>
#include <string>
#include <vector>

// Horizontal placement of the lines on a label; the values are those of the settings record.
namespace Alignment {
constexpr int kLeft = 0;
constexpr int kStagger1 = 1;
constexpr int kStagger2 = 2;
constexpr int kStagger3 = 3;
constexpr int kCentre = 4;
constexpr int kLeftCentre = 5;
constexpr int kCount = 6;
} // namespace Alignment

// Fits one label's lines into its rectangle and draws them: the largest size, at most the
// maximum, at which the lines fit, found by stepping down one point at a time (sizes far too
// large for the measured text are skipped on the way); when nothing down to 8 points fits, the
// widest line is split once. Made for one label and discarded.
//
// Printing: the rectangle and resolution are the device's, scale 100. Previewing (the
// on-screen sample): the rectangle is the sample's, the resolution is taken as 96, and font
// sizes, margin and stagger are scaled by the scale percentage; the label is outlined.
class CLabelFormat {
public:
    CLabelFormat(const LabelLines& labelLines, int left, int top, int right, int bottom,
                 int textMargin, int resolution, bool preview, std::uint8_t scale);
    virtual ~CLabelFormat() = default;

    // font supplies face, weight and italic; its height is overwritten with each size tried.
    void Draw(DrawSurface& dc, int maxFontSize, int alignment, LabelFont& font);

    int ScaleForPreview(int x) const;
    int ScaleForDevice(int x) const;

    // Splits the widest line at the first blank at or after its middle.
    void SplitLongestLine();

    const std::vector<std::string>& Lines() const { return lines; }
    int Widest() const { return widest; }
    int Margin() const { return margin; }
    // The size in points the last Draw settled on.
    int FinalSize() const { return finalSize; }
    // What the last Draw went through: the size it started from, whether it split the
    // widest line, and whether the lines fitted at the final size.
    int StartSize() const { return startSize; }
    bool WasSplit() const { return split; }
    bool Fitted() const { return fitted; }

private:
    void selectSize(DrawSurface& dc, LabelFont& font, int size);

    int left;
    int top;
    int right;
    int bottom;
    std::vector<std::string> lines;
    bool preview;
    int resolution;
    int widest;
    int margin = 0;
    std::uint8_t scale;
    int finalSize = 0;
    int startSize = 0;
    bool split = false;
    bool fitted = false;
};
