#include "RecordingSurface.h"

#include "labels/LabelFormat.h"
#include "labels/LabelLines.h"

#include <gtest/gtest.h>

namespace {

LabelLines split(std::string_view text) {
    LabelLines lines;
    EXPECT_TRUE(SplitLabelText(text, lines)) << text;
    return lines;
}

std::vector<std::string> linesOf(const LabelLines& l) {
    return {l.lines.begin(), l.lines.begin() + l.count};
}

struct Printed {
    std::vector<std::string> lines;
    int finalSize;
};

// Draws text on the surface at 72 units per inch (one unit per point), not previewing.
Printed drawAt72(RecordingSurface& dc, std::string_view text, int width, int height, int maxSize,
                 int alignment = Alignment::kLeftCentre, int resolution = 72, int margin = 0) {
    CLabelFormat format(split(text), 0, 0, width, height, margin, resolution, false, 100);
    LabelFont font = MakeLabelFont("Serif", 0, 0, 0);
    format.Draw(dc, maxSize, alignment, font);
    return {format.Lines(), format.FinalSize()};
}

std::vector<int> heights(std::initializer_list<int> sizes) {
    std::vector<int> h;
    for (int s : sizes)
        h.push_back(s * 10);
    return h;
}

} // namespace

TEST(SplitLabelText, LinesFromText) {
    struct Case {
        const char* text;
        std::vector<std::string> lines;
        int longest;
    };
    const Case cases[] = {
        {"  Ann Smith\r\n1 High St\r\nTown\r\n\r\n", {"Ann Smith", "1 High St", "Town"}, 1},
        {"A\r\n\r\nLonger", {"A", "", "Longer"}, 3},        // an empty line stays
        {"ab\ncd\r\nxy", {"abcd", "xy"}, 1},                // LFs are dropped
        {"aa\r\nbb\r\ncc", {"aa", "bb", "cc"}, 1},          // first of equals
        {"1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10", // lines after the eighth go
         {"1", "2", "3", "4", "5", "6", "7", "8"},
         1},
        {"\t x \f", {"x"}, 1},
    };
    for (const Case& c : cases) {
        LabelLines l;
        ASSERT_TRUE(SplitLabelText(c.text, l)) << c.text;
        EXPECT_EQ(linesOf(l), c.lines) << c.text;
        EXPECT_EQ(l.longest, c.longest) << c.text;
    }
}

TEST(SplitLabelText, BlankTextGivesNoLines) {
    LabelLines l;
    EXPECT_FALSE(SplitLabelText("", l));
    EXPECT_FALSE(SplitLabelText(" \r\n\t\r\n \v\f\n", l));
    EXPECT_EQ(l.count, 0);
}

// The 59 that a line holds are characters: accented, Greek or Cyrillic lines are not cut
// short, and the longest line is the one with the most characters.
TEST(SplitLabelText, LongLinesAreCutAt59Characters) {
    struct Case {
        std::string text;
        std::vector<std::string> lines;
        int longest;
    };
    const std::string a59(59, 'a');
    const std::string a58(58, 'a');
    const std::string societe = "Soci\xC3\xA9t\xC3\xA9 G\xC3\xA9n\xC3\xA9rale, "
                                "D\xC3\xA9partement des \xC3\xA9tudes \xC3\xA0 "
                                "Orl\xC3\xA9\x61ns (Loiret)"; // 59 characters
    std::string greek60, greek59;
    for (int i = 0; i < 60; ++i)
        greek60 += "\xCE\xB1"; // α
    greek59 = greek60.substr(0, 118);
    const Case cases[] = {
        {a59 + "bcd\r\n" + a58 + "\xC3\xA9" + "x", {a59, a58 + "\xC3\xA9"}, 1},
        {societe, {societe}, 1},
        {greek60, {greek59}, 1},
        // Ten é take 20 bytes but are shorter than fifteen letters.
        {"\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"
         "\r\nabcdefghijklmno",
         {"\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9",
          "abcdefghijklmno"},
         2},
    };
    for (const Case& c : cases) {
        LabelLines l;
        ASSERT_TRUE(SplitLabelText(c.text, l)) << c.text;
        EXPECT_EQ(linesOf(l), c.lines) << c.text;
        EXPECT_EQ(l.longest, c.longest) << c.text;
    }
}

TEST(MakeLabelFont, FillsTheDescription) {
    const LabelFont f = MakeLabelFont("Times New Roman", 1, 0x101, 12);
    EXPECT_EQ(f.height, 120);
    EXPECT_EQ(f.weight, 700);
    EXPECT_EQ(f.italic, 1);
    EXPECT_EQ(f.charSet, 1);
    EXPECT_EQ(f.faceName, "Times New Roman");
    EXPECT_EQ(MakeLabelFont("x", 0, 0, 8).weight, 400);
    // Family names longer than 31 bytes are common here; a cut one would name another face.
    const std::string longFamily = "Noto Sans Canadian Aboriginal Condensed SemiBold";
    EXPECT_EQ(MakeLabelFont(longFamily, 0, 0, 8).faceName, longFamily);
}

TEST(CLabelFormat, StartingSizeComesFromTheLineHeightAndIsClamped) {
    struct Case {
        int height, maxSize;
        int firstTried;
    };
    // Two short lines on a wide label: they fit at the starting size.
    const Case cases[] = {
        {60, 30, 30},  // LH 30
        {100, 30, 30}, // LH 50, lowered to the maximum
        {40, 30, 20},  // LH 20
        {10, 30, 8},   // LH 5, raised to 8
        {400, 8, 8},   // a maximum of 8 wins
    };
    for (const Case& c : cases) {
        RecordingSurface dc;
        drawAt72(dc, "ab\r\ncd", 1000, c.height, c.maxSize);
        ASSERT_FALSE(dc.fontHeights.empty());
        EXPECT_EQ(dc.fontHeights.front(), c.firstTried * 10) << c.height;
    }
    // At 600 units per inch, 3 lines in 700 units: LH 233 → 233 × 72 / 600 = 27.
    RecordingSurface dc;
    dc.dpi = 600;
    drawAt72(dc, "a\r\nb\r\nc", 5000, 700, 30, 0, 600);
    EXPECT_EQ(dc.fontHeights.front(), 270);
}

TEST(CLabelFormat, ShrinksOnePointAtATimeMeasuringOnlyTheWidestLine) {
    RecordingSurface dc;
    // Ten characters must fit in 250 units: only at 25 points.
    const auto r = drawAt72(dc, "aaaa\r\nbbbbbbbbbb\r\ncc", 250, 300, 30);
    EXPECT_EQ(r.finalSize, 25);
    EXPECT_EQ(dc.fontHeights, heights({30, 29, 28, 27, 26, 25}));
    const std::vector<std::string> expected = {"aaaa",       "bbbbbbbbbb", "cc", // all lines
                                               "bbbbbbbbbb", "bbbbbbbbbb", "bbbbbbbbbb",
                                               "bbbbbbbbbb", "bbbbbbbbbb",        // widest only
                                               "aaaa",       "bbbbbbbbbb", "cc"}; // drawing
    EXPECT_EQ(dc.measured, expected);
}

TEST(CLabelFormat, HeightExcessOfTwoFitsThreeDoesNot) {
    // One line, maximum 10 points: 12 units high. The resolution of 36 makes the starting
    // size (height × 2) exceed the maximum, so the search starts at 10 either way.
    RecordingSurface fits;
    EXPECT_EQ(drawAt72(fits, "ab", 1000, 10, 10, 0, 36).finalSize, 10); // excess 2
    EXPECT_EQ(fits.fontHeights, heights({10}));

    RecordingSurface over;
    EXPECT_EQ(drawAt72(over, "ab", 1000, 9, 10, 0, 36).finalSize, 9); // excess 3
    EXPECT_EQ(over.fontHeights, heights({10, 9}));
}

TEST(CLabelFormat, SplitLongestLineCutsAtTheFirstBlankFromTheMiddle) {
    struct Case {
        const char* line;
        const char* first;
        const char* second;
    };
    const Case cases[] = {
        {"abc defgh ij", "abc defgh ", "ij"}, // middle 6: blank at 9
        {"abcde fgh", "abcde ", "fgh"},       // middle 4: blank at 5
        {"ab cdefghij", "", "ab cdefghij"},   // no blank in the second half
        // The middle is counted in characters: 6 characters, middle 3, the blank. Counted in
        // bytes (9) the middle would be 4, past the blank, and the line would not split.
        {"abc d\xC3\xA9\xC3\xA9", "abc ", "d\xC3\xA9\xC3\xA9"},
        {"Supercalifragilistic", "", "Supercalifragilistic"},
    };
    for (const Case& c : cases) {
        CLabelFormat format(split(std::string("x\r\n") + c.line), 0, 0, 100, 100, 0, 72, false,
                            100);
        format.SplitLongestLine();
        const std::vector<std::string> expected = {"x", c.first, c.second};
        EXPECT_EQ(format.Lines(), expected) << c.line;
    }
}

TEST(CLabelFormat, SplitsOnceBelowEightPointsAndDrawsOnePointBelow) {
    // A one-word label too wide at 8 points: the word moves to a second line, and the
    // search ends at 7 points whether or not it fits.
    RecordingSurface dc;
    const auto r = drawAt72(dc, "Abcdefghijklmnop", 100, 200, 30);
    EXPECT_EQ(r.lines, (std::vector<std::string>{"", "Abcdefghijklmnop"}));
    EXPECT_EQ(r.finalSize, 7);
    ASSERT_EQ(dc.outs.size(), 2u);
    EXPECT_EQ(dc.outs[0].text, "");
    EXPECT_EQ(dc.outs[1].y - dc.outs[0].y, 8); // 7 × 1.2

    // Margins larger than half the label: the search starts at 8 and ends at 7.
    RecordingSurface tiny;
    const auto t = drawAt72(tiny, "ab", 1000, 10, 30, 0, 72, 8);
    EXPECT_EQ(tiny.fontHeights, heights({8, 7, 8, 7}));
    EXPECT_EQ(t.finalSize, 7);
    EXPECT_EQ(t.lines, (std::vector<std::string>{"", "ab"}));
}

TEST(CLabelFormat, EightLinesAreNeverSplit) {
    RecordingSurface dc;
    const auto r = drawAt72(
        dc, "1\r\n2\r\n3\r\n4 is far too wide for this label\r\n5\r\n6\r\n7\r\n8", 100, 400, 30);
    EXPECT_EQ(r.lines.size(), 8u);
    EXPECT_EQ(r.finalSize, 7);
    EXPECT_EQ(dc.outs.size(), 8u);
}

TEST(CLabelFormat, TenLinesDrawEight) {
    RecordingSurface dc;
    drawAt72(dc, "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10", 1000, 1000, 30);
    ASSERT_EQ(dc.outs.size(), 8u);
    EXPECT_EQ(dc.outs.back().text, "8");
}

TEST(CLabelFormat, XPositionsForEachAlignment) {
    // 600 units per inch, 10-point cap: 83-unit characters, lines 4, 2 and 6 characters
    // wide, line step 99. Label at (1000, 2000), 2400 × 800, margin 8/96 inch = 50 units.
    struct Case {
        int alignment;
        std::vector<int> x;
    };
    const Case cases[] = {
        {Alignment::kLeft, {1050, 1050, 1050}},
        {Alignment::kStagger1, {1920, 1951, 1982}}, // step 31, widest 498 + 62
        {Alignment::kStagger2, {1889, 1951, 2013}}, // step 62
        {Alignment::kStagger3, {1858, 1951, 2044}}, // step 93
        {Alignment::kCentre, {2034, 2117, 1951}},   // each line on its own
        {Alignment::kLeftCentre, {1951, 1951, 1951}},
    };
    for (const Case& c : cases) {
        RecordingSurface dc;
        dc.dpi = 600;
        CLabelFormat format(split("aaaa\r\nbb\r\ncccccc"), 1000, 2000, 3400, 2800, 8, 600, false,
                            100);
        LabelFont font = MakeLabelFont("Serif", 0, 0, 0);
        format.Draw(dc, 10, c.alignment, font);
        ASSERT_EQ(dc.outs.size(), 3u);
        EXPECT_EQ(dc.outs[0].pixels, 83);
        std::vector<int> xs, ys;
        for (const auto& o : dc.outs) {
            xs.push_back(o.x);
            ys.push_back(o.y);
        }
        EXPECT_EQ(xs, c.x) << "alignment " << c.alignment;
        EXPECT_EQ(ys, (std::vector<int>{2251, 2350, 2449})) << "alignment " << c.alignment;
        EXPECT_TRUE(dc.transparent);
    }
}

TEST(CLabelFormat, SplitLineHalvesShareTheirX) {
    // "Stagger 2" at 600 units per inch: 62 units a line, but not between the halves.
    RecordingSurface dc;
    dc.dpi = 600;
    CLabelFormat format(split("ab\r\nxxxx xxxx xxxx xxxx\r\ncd"), 0, 0, 1200, 600, 8, 600, false,
                        100);
    LabelFont font = MakeLabelFont("Serif", 0, 0, 0);
    format.Draw(dc, 30, Alignment::kStagger2, font);
    EXPECT_EQ(format.Lines(), (std::vector<std::string>{"ab", "xxxx xxxx ", "xxxx xxxx", "cd"}));
    EXPECT_EQ(format.FinalSize(), 12);
    ASSERT_EQ(dc.outs.size(), 4u);
    EXPECT_EQ(dc.outs[1].x, dc.outs[0].x + 62);
    EXPECT_EQ(dc.outs[2].x, dc.outs[1].x);
    EXPECT_EQ(dc.outs[3].x, dc.outs[2].x + 62);
}

TEST(CLabelFormat, LineStepAddsExternalLeadingAndCentresVertically) {
    RecordingSurface dc;
    dc.externalLeading = 3;
    // Two lines at 30 points: 36 + 3 a line; (200 − 78) / 2 = 61.
    drawAt72(dc, "ab\r\ncd", 1000, 200, 30);
    ASSERT_EQ(dc.outs.size(), 2u);
    EXPECT_EQ(dc.outs[0].y, 61);
    EXPECT_EQ(dc.outs[1].y, 100);
}

TEST(CLabelFormat, PreviewScalesAndOutlinesTheSample) {
    RecordingSurface dc;
    dc.dpi = 96;
    // Scale 50: margin 8 → 4, stagger 10 → 5, sizes 8 → 4 and 30 → 15. The rectangle's
    // corner plays no part: drawing is relative to the sample.
    CLabelFormat format(split("ab\r\ncd"), 500, 500, 900, 700, 8, 600, true, 50);
    EXPECT_EQ(format.Margin(), 4);
    EXPECT_EQ(format.ScaleForDevice(96), 96); // previewing works at 96 units per inch
    LabelFont font = MakeLabelFont("Serif", 0, 0, 0);
    format.Draw(dc, 30, Alignment::kStagger2, font);
    ASSERT_EQ(dc.frames.size(), 2u);
    EXPECT_EQ(dc.frames[0].rect, (DeviceRect{0, 0, 400, 200}));
    EXPECT_EQ(dc.frames[0].brush, StockBrush::DarkGrey);
    EXPECT_EQ(dc.frames[1].rect, (DeviceRect{4, 4, 396, 196}));
    EXPECT_EQ(dc.frames[1].brush, StockBrush::LightGrey);
    EXPECT_EQ(dc.fontHeights.front(), 150); // LH 96 → 72 points, capped at 15
    ASSERT_EQ(dc.outs.size(), 2u);
    EXPECT_LT(dc.outs[0].x, 400);
    EXPECT_EQ(dc.outs[1].x - dc.outs[0].x, 5);
}

// A maximum of 0 (a damaged file or record, or the field emptied while typing), or one beyond
// the field's range, is taken as the nearest size the field allows: at 0 every line was set
// on one baseline.
TEST(CLabelFormat, MaximumSizeIsKeptInTheFieldsRange) {
    struct Case {
        int given, used;
    } cases[] = {{0, 8}, {-3, 8}, {7, 8}, {51, 50}, {65535, 50}};
    for (const Case& c : cases) {
        RecordingSurface given, used;
        drawAt72(given, "ab\r\ncd", 1000, 400, c.given);
        drawAt72(used, "ab\r\ncd", 1000, 400, c.used);
        EXPECT_EQ(given.fontHeights, used.fontHeights) << c.given;
        ASSERT_EQ(given.outs.size(), 2u) << c.given;
        EXPECT_LT(given.outs[0].y, given.outs[1].y) << c.given;
    }
}
