#include "RecordingSurface.h"

#include "labels/FitReport.h"
#include "labels/LabelFormat.h"
#include "labels/LabelLines.h"
#include "labels/LabelPrinter.h"
#include "labels/PdfPrintDevice.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

// Fits text into a width × height label at 72 units per inch (one unit per point) with the
// recording surface's characters as wide as they are high, maximum 20 points, no margin.
LabelFit fitAt72(std::string_view text, int width, int height, int alignment) {
    LabelLines lines;
    EXPECT_TRUE(SplitLabelText(text, lines)) << text;
    CLabelFormat format(lines, 0, 0, width, height, 0, 72, false, 100);
    LabelFont font = MakeLabelFont("Serif", 0, 0, 0);
    RecordingSurface dc;
    format.Draw(dc, 20, alignment, font);
    return LabelFit::of(1, lines, format);
}

struct Outcome {
    int finalSize;
    bool atFloor, split, overflows;
    int dropped, cut;
};

std::string show(const LabelFit& f) {
    return "size " + std::to_string(f.startSize) + "->" + std::to_string(f.finalSize) + " floor " +
           std::to_string(f.atFloor) + " split " + std::to_string(f.split) + " overflows " +
           std::to_string(f.overflows) + " dropped " + std::to_string(f.droppedLines) + " cut " +
           std::to_string(f.cutLines);
}

std::string lines(int n) {
    std::string t;
    for (int i = 1; i <= n; ++i)
        t += (i > 1 ? "\r\n" : "") + std::to_string(i);
    return t;
}

} // namespace

TEST(FitReport, WhatFittingDidInEveryAlignment) {
    struct Case {
        const char* name;
        std::string text;
        int width, height;
        Outcome plain;     // Left, Centre and Left centre
        Outcome staggered; // the stagger modes add a step per line
    };
    const Case cases[] = {
        {"fits", "Ann Smith\r\n1 High St", 300, 100, {20, 0, 0, 0, 0, 0}, {20, 0, 0, 0, 0, 0}},
        {"shrunk a little",
         std::string(25, 'a'),
         260,
         100,
         {10, 0, 0, 0, 0, 0},
         {10, 0, 0, 0, 0, 0}},
        {"shrunk to the floor",
         std::string(25, 'a'),
         200,
         100,
         {8, 1, 0, 0, 0, 0},
         {8, 1, 0, 0, 0, 0}},
        {"split", "aaaaaaaaaaaa bbbbbbbbbbbb", 150, 100, {11, 0, 1, 0, 0, 0}, {11, 0, 1, 0, 0, 0}},
        // The third line just fits at 8 points; two stagger steps push it over and it is split.
        {"stagger pushes over",
         "a\r\nb\r\ncccccccccccc cccccccccccc",
         200,
         36,
         {8, 1, 0, 0, 0, 0},
         {8, 1, 1, 0, 0, 0}},
        {"nine lines", lines(9), 300, 400, {20, 0, 0, 0, 1, 0}, {20, 0, 0, 0, 1, 0}},
        {"eleven lines", lines(11), 300, 400, {20, 0, 0, 0, 3, 0}, {20, 0, 0, 0, 3, 0}},
        {"over the line limit",
         std::string(70, 'x'),
         2000,
         100,
         {20, 0, 0, 0, 0, 1},
         {20, 0, 0, 0, 0, 1}},
        // Eight lines are never split: the wide one overflows one point below the floor.
        {"overflows at the floor",
         "1\r\n2\r\n3\r\n4 is far too wide for this label\r\n5\r\n6\r\n7\r\n8",
         100,
         400,
         {7, 1, 0, 1, 0, 0},
         {7, 1, 0, 1, 0, 0}},
        // A single word too wide even on its own line: split and still overflowing.
        {"one long word", "Abcdefghijklmnop", 100, 200, {7, 1, 1, 1, 0, 0}, {7, 1, 1, 1, 0, 0}},
    };
    for (const Case& c : cases) {
        for (int a = 0; a < Alignment::kCount; ++a) {
            const bool staggered = a >= Alignment::kStagger1 && a <= Alignment::kStagger3;
            const Outcome& want = staggered ? c.staggered : c.plain;
            const LabelFit got = fitAt72(c.text, c.width, c.height, a);
            SCOPED_TRACE(std::string(c.name) + ", alignment " + std::to_string(a));
            EXPECT_EQ(got.finalSize, want.finalSize) << show(got);
            EXPECT_EQ(got.atFloor, want.atFloor) << show(got);
            EXPECT_EQ(got.split, want.split) << show(got);
            EXPECT_EQ(got.overflows, want.overflows) << show(got);
            EXPECT_EQ(got.droppedLines, want.dropped) << show(got);
            EXPECT_EQ(got.cutLines, want.cut) << show(got);
            // Only what loses or reshapes text is warned about; a small size alone is not.
            EXPECT_EQ(got.misfit(), want.split || want.overflows || want.dropped || want.cut);
        }
    }
}

TEST(FitReport, KeepsNotableLabelsAndTheLatestFitOfEach) {
    FitReport report;
    LabelFit plain;
    plain.label = 4;
    report.add(plain); // chose a size and fitted: nothing to keep
    EXPECT_EQ(report.find(4), nullptr);

    LabelFit split = plain;
    split.label = 9;
    split.split = true;
    LabelFit floor = plain;
    floor.label = 2;
    floor.atFloor = true;
    report.add(split);
    report.add(floor);
    EXPECT_EQ(report.misfits(), std::vector<int>{9});
    ASSERT_NE(report.find(2), nullptr);
    EXPECT_TRUE(report.find(2)->atFloor);

    LabelFit fixed = split;
    fixed.split = false; // fitted again after the text was shortened
    report.add(fixed);
    EXPECT_EQ(report.find(9), nullptr);
    EXPECT_TRUE(report.misfits().empty());
}

TEST(FitReport, QuestionListsAtMostTenNumbers) {
    struct Case {
        std::vector<int> labels;
        const char* text;
    };
    const Case cases[] = {
        {{12}, "1 label does not fit its label: 12. Print anyway?"},
        {{12, 45, 46}, "3 labels do not fit their label: 12, 45, 46. Print anyway?"},
        {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10},
         "10 labels do not fit their label: 1, 2, 3, 4, 5, 6, 7, 8, 9, 10. Print anyway?"},
        {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 300},
         "12 labels do not fit their label: 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 and 2 more. Print "
         "anyway?"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FitReport::question(c.labels).toStdString(), c.text);
}

TEST(FitReport, DescriptionNamesTheWorstOfWhatHappened) {
    struct Case {
        LabelFit fit;
        const char* text;
    };
    LabelFit split;
    split.split = true;
    LabelFit over = split;
    over.overflows = true;
    LabelFit cut = over;
    cut.cutLines = 1;
    LabelFit dropped1 = cut;
    dropped1.droppedLines = 1;
    LabelFit dropped3 = cut;
    dropped3.droppedLines = 3;
    LabelFit floor;
    floor.atFloor = true;
    floor.finalSize = 8;
    const Case cases[] = {
        {LabelFit{}, ""},
        {floor, "Text shrunk to 8 pt"},
        {split, "Text too long — will be split"},
        {over, "Text too long — will not fit"},
        {cut, "Line too long — will be cut"},
        {dropped1, "More than 8 lines — the last line will not print"},
        {dropped3, "More than 8 lines — 3 lines will not print"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.fit.description().toStdString(), c.text);
}

TEST(FitReport, SurveyBeforePrintingMatchesWhatPrintingFinds) {
    // Real fonts on the default sheet: the survey measures on an image of the printer's
    // resolution, the job on the PDF itself. They must agree label for label.
    std::vector<std::string> labels = {
        "Ann Smith\r\n1 High Street\r\nOxford OX1 1AA",
        "Flat 12, The Very Long Building Name House, Extremely Long Avenue, Upper District",
        lines(10),
        "Bartholomew Featherstonehaugh-Montgomery\r\nThe Old Rectory Gardens\r\nLittle Snoring",
        std::string(80, 'W'),
        "Jo Ng",
    };
    for (int dpi : {300, 600, 1200}) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        CLabelPrinter job(LabelPreferences{}, "Times New Roman", labels);
        {
            PdfPrintDevice device(buffer, dpi);
            (void)job.Print(device, false, 1);
        }
        const FitReport survey =
            CLabelPrinter(LabelPreferences{}, "Times New Roman", labels).Survey(dpi, dpi);
        EXPECT_EQ(survey.all(), job.Fits().all()) << dpi;
        const std::vector<int> misfits = job.Fits().misfits();
        EXPECT_NE(std::find(misfits.begin(), misfits.end(), 3), misfits.end()) << dpi;
        EXPECT_NE(std::find(misfits.begin(), misfits.end(), 5), misfits.end()) << dpi;
        EXPECT_EQ(job.Fits().find(1), nullptr) << dpi;
        EXPECT_EQ(job.Fits().find(6), nullptr) << dpi;
    }
}

TEST(FitReport, PrintAsksOnceBeforeAnythingIsPrinted) {
    const std::vector<std::string> fine = {"Ann Smith\r\n1 High St", "Jo Ng"};
    const std::vector<std::string> bad = {"Ann Smith", lines(9), "Jo Ng", lines(12)};
    struct Case {
        const std::vector<std::string>* labels;
        bool answer;
        int asked;
        std::vector<int> listed;
        int result;
        bool printed;
    };
    const Case cases[] = {
        {&fine, false, 0, {}, 3, true},     // nothing to say: not asked
        {&bad, false, 1, {2, 4}, 0, false}, // No: as if the print dialog was cancelled
        {&bad, true, 1, {2, 4}, 5, true},
    };
    // The device hands its calls back when the job releases it.
    struct Owned : RecordingPrintDevice {
        std::vector<std::string>* out = nullptr;
        ~Owned() override { *out = calls; }
    };
    for (const Case& c : cases) {
        int chosen = 0;
        std::vector<std::string> calls;
        CLabelPrinter job(LabelPreferences{}, "Serif", *c.labels, [&] {
            ++chosen;
            auto d = std::make_unique<Owned>();
            d->out = &calls;
            return std::unique_ptr<PrintDevice>(std::move(d));
        });
        int asked = 0;
        std::vector<int> listed;
        job.confirmFits = [&](const FitReport& report) {
            ++asked;
            listed = report.misfits();
            return c.answer;
        };
        EXPECT_EQ(job.Print(false, 1).nextPosition(), c.result);
        // The printer is chosen first: its resolution decides how the text fits.
        EXPECT_EQ(chosen, 1);
        EXPECT_EQ(asked, c.asked);
        EXPECT_EQ(listed, c.listed);
        EXPECT_EQ(!calls.empty(), c.printed);
    }
}
