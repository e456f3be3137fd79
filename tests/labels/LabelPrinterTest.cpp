#include "RecordingSurface.h"
#include "ScriptedPrompt.h"

#include "labels/LabelPrinter.h"

#include <gtest/gtest.h>
#include <map>

namespace {

std::vector<std::string> numberedLabels(int count) {
    std::vector<std::string> labels;
    for (int k = 1; k <= count; ++k)
        labels.push_back("L" + std::to_string(k));
    return labels;
}

struct Place {
    int page, row, column;
    bool operator==(const Place&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Place& p) {
    return os << "page " << p.page << " row " << p.row << " column " << p.column;
}

// Where each label's text was drawn, from the default 2 × 8 geometry at 600 units per inch:
// columns start at 118 and 2503, rows 803 units apart from 307.
std::map<std::string, Place> placesOf(const RecordingPrintDevice& device) {
    std::map<std::string, Place> places;
    for (std::size_t p = 0; p < device.pages.size(); ++p) {
        for (const auto& out : device.pages[p].outs) {
            const int column = out.x >= 2503 ? 1 : 0;
            const int row = (out.y - 307) / 803;
            places[out.text] = {static_cast<int>(p) + 1, row, column};
        }
    }
    return places;
}

Place place(int page, int position) {
    return {page, (position - 1) / 2, (position - 1) % 2};
}

} // namespace

TEST(CLabelPrinter, PaginatesFromTheFirstPosition) {
    struct Case {
        int first, count;
        int pages, next;
        std::map<int, Place> some; // label number → where it must be
    };
    const Case cases[] = {
        {1, 16, 1, 1, {{1, place(1, 1)}, {16, place(1, 16)}}},
        {5, 12, 1, 1, {{1, place(1, 5)}, {12, place(1, 16)}}},
        {5, 13, 2, 2, {{1, place(1, 5)}, {12, place(1, 16)}, {13, place(2, 1)}}},
        {10, 3, 1, 13, {{1, {1, 4, 1}}, {2, {1, 5, 0}}, {3, {1, 5, 1}}}},
        {16, 1, 1, 1, {{1, place(1, 16)}}},
        {1, 33, 3, 2, {{17, place(2, 1)}, {33, place(3, 1)}}},
    };
    for (const Case& c : cases) {
        const auto labels = numberedLabels(c.count);
        CLabelPrinter job(LabelPreferences{}, "Serif", labels);
        RecordingPrintDevice device;
        EXPECT_EQ(job.Print(device, false, c.first).nextPosition(), c.next)
            << c.first << "/" << c.count;
        EXPECT_EQ(static_cast<int>(device.pages.size()), c.pages) << c.first << "/" << c.count;
        EXPECT_EQ(device.calls.back(), "endDoc");
        const auto places = placesOf(device);
        EXPECT_EQ(static_cast<int>(places.size()), c.count);
        for (const auto& [k, where] : c.some)
            EXPECT_EQ(places.at("L" + std::to_string(k)), where)
                << "label " << k << " of " << c.count << " from " << c.first;
    }
}

TEST(CLabelPrinter, DefaultGeometryAt600UnitsPerInch) {
    CLabelPrinter job(SheetGeometry{});
    RecordingPrintDevice device(600);
    (void)job.Print(device, true, 0);
    EXPECT_EQ(job.TenthsToDevice(50), 118);
    ASSERT_EQ(device.pages.size(), 1u);
    const auto& frames = device.pages[0].frames;
    ASSERT_EQ(frames.size(), 16u);
    EXPECT_EQ(frames[0].rect, (DeviceRect{118, 307, 2456, 1110}));
    EXPECT_EQ(frames[0].brush, StockBrush::DarkGrey);
    EXPECT_EQ(frames[1].rect.left, 2503);
    EXPECT_EQ(frames[2].rect.top, 1110); // no horizontal gutter

    // Measured from the paper's edges: the printable area's offset is taken off.
    RecordingPrintDevice offset(600);
    offset.offsetX = 30;
    offset.offsetY = 40;
    (void)CLabelPrinter(SheetGeometry{}).Print(offset, true, 0);
    EXPECT_EQ(offset.pages[0].frames[0].rect, (DeviceRect{88, 267, 2426, 1070}));
}

TEST(CLabelPrinter, ConvertsEachTermOnItsOwn) {
    SheetGeometry g;
    g.topMargin = 13; // 13 × 60 × 5 / 127 = 30.7 → 30
    g.labelHeight = 13;
    g.horizontalGutter = 0;
    g.labelsDown = 3;
    g.labelsAcross = 1;
    RecordingPrintDevice device(600);
    (void)CLabelPrinter(g).Print(device, true, 0);
    const auto& f = device.pages[0].frames;
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(f[1].rect.top, 30 + 30); // 13 tenths → 30
    EXPECT_EQ(f[2].rect.top, 30 + 61); // 26 tenths → 61; 39 tenths at once would give 92
}

TEST(CLabelPrinter, A203UnitPrinterWorksAs200) {
    RecordingPrintDevice at203(203), at200(200);
    CLabelPrinter job203(SheetGeometry{}), job200(SheetGeometry{});
    (void)job203.Print(at203, true, 0);
    (void)job200.Print(at200, true, 0);
    EXPECT_EQ(job203.Resolution(), 200);
    for (std::size_t i = 0; i < 16; ++i)
        EXPECT_EQ(at203.pages[0].frames[i].rect, at200.pages[0].frames[i].rect);

    // The font sizes tried follow the 200-unit resolution too.
    const std::vector<std::string> labels = {"Ann\r\nStreet\r\nTown"};
    RecordingPrintDevice text203(203), text200(200);
    (void)CLabelPrinter(LabelPreferences{}, "Serif", labels).Print(text203, false, 1);
    (void)CLabelPrinter(LabelPreferences{}, "Serif", labels).Print(text200, false, 1);
    EXPECT_EQ(text203.pages[0].fontHeights.front(), text200.pages[0].fontHeights.front());
}

// A sheet the device refuses, or a document it cannot start, withdraws the job: the outcome is
// a failure, so the caller leaves the position where it was.
TEST(CLabelPrinter, RefusedPageAbortsTheJob) {
    const auto labels = numberedLabels(13);
    RecordingPrintDevice device;
    device.refusePage = 1;
    CLabelPrinter job(LabelPreferences{}, "Serif", labels);
    const PrintOutcome refused = job.Print(device, false, 5);
    EXPECT_TRUE(refused.failed());
    EXPECT_EQ(refused.message(),
              QStringLiteral("Nothing was printed: the printer did not take the job."));
    EXPECT_EQ(device.calls,
              (std::vector<std::string>{"startDoc", "startPage", "endPage", "abortDoc"}));

    RecordingPrintDevice notStarted;
    notStarted.startDocResult = 0;
    EXPECT_TRUE(job.Print(notStarted, false, 5).failed());
    EXPECT_EQ(notStarted.calls, (std::vector<std::string>{"startDoc", "abortDoc"}));

    RecordingPrintDevice notTaken;
    notTaken.endDocResult = 0;
    EXPECT_TRUE(job.Print(notTaken, false, 5).failed());
    EXPECT_EQ(notTaken.calls.back(), "endDoc");
}

TEST(CLabelPrinter, TestSheetIsOnePageOfOutlines) {
    SheetGeometry g;
    g.labelsAcross = 3;
    g.labelsDown = 7;
    RecordingPrintDevice device;
    (void)CLabelPrinter(g).Print(device, true, 0);
    EXPECT_EQ(device.calls,
              (std::vector<std::string>{"startDoc", "startPage", "endPage", "endDoc"}));
    EXPECT_EQ(device.pages[0].frames.size(), 21u);
    EXPECT_TRUE(device.pages[0].outs.empty());
}

TEST(CLabelPrinter, SheetsWhosePositionsCannotLieOnThePaperAreRefused) {
    struct Case {
        const char* what;
        SheetGeometry geometry;
        int labels; // 0: a test sheet
        bool refused;
        bool paperKnown = true;
    };
    const auto sheet = [](int across, int down, int width, int side = 50, int gutter = 20) {
        SheetGeometry g;
        g.labelsAcross = static_cast<std::uint16_t>(across);
        g.labelsDown = static_cast<std::uint16_t>(down);
        g.labelWidth = static_cast<std::uint16_t>(width);
        g.sideMargin = static_cast<std::uint16_t>(side);
        g.verticalGutter = static_cast<std::uint16_t>(gutter);
        return g;
    };
    // On A4 at 600 units per inch the paper is 4960 units wide; 2100 tenths make 4960 units.
    const Case cases[] = {
        {"default sheet", SheetGeometry{}, 16, false},
        {"last column starts just on the paper", sheet(2, 8, 990, 1089), 16, false},
        {"last column starts at the paper's edge", sheet(2, 8, 990, 1090), 16, true},
        {"16,385 columns of a wide label", sheet(16385, 1, 65535, 50, 65535), 3, true},
        {"16,386 labels in one row", sheet(16386, 1, 990), 16386, true},
        {"46,340 x 46,340 outlines on one spot", sheet(46340, 46340, 0, 50, 0), 0, true},
        {"columns 0.9 mm apart", sheet(3, 1, 5, 50, 4), 0, true},
        {"one column of no width", sheet(1, 8, 0, 50, 0), 0, false},
        {"3 wide columns, paper unknown", sheet(3, 1, 2000), 0, false, false},
        {"wrapping coordinates, paper unknown", sheet(16386, 1, 65535, 50, 65535), 3, true, false},
    };
    for (const Case& c : cases) {
        ScriptedPrompt p;
        LabelPreferences format;
        format.geometry = c.geometry;
        const auto labels = numberedLabels(c.labels);
        RecordingPrintDevice device(600);
        if (!c.paperKnown)
            device.paperTenths[0] = device.paperTenths[1] = 0;
        CLabelPrinter job =
            c.labels == 0 ? CLabelPrinter(c.geometry) : CLabelPrinter(format, "Serif", labels);
        const PrintOutcome outcome = job.Print(device, c.labels == 0, 1);
        if (c.refused) {
            EXPECT_TRUE(outcome.failed()) << c.what;
            EXPECT_TRUE(device.calls.empty()) << c.what; // not even a started job
            EXPECT_TRUE(outcome.message().startsWith(QStringLiteral("These label dimensions")))
                << c.what;
        } else {
            EXPECT_GT(outcome.nextPosition(), 0) << c.what;
            EXPECT_TRUE(p.texts().isEmpty()) << c.what;
            ASSERT_EQ(device.pages.size(), 1u) << c.what;
            for (const auto& f : device.pages[0].frames)
                EXPECT_TRUE(f.rect.left >= 0 && f.rect.left < 4960 * (c.paperKnown ? 1 : 2))
                    << c.what;
        }
    }
}

TEST(CLabelPrinter, RefusalMessagesSayWhatDoesNotFit) {
    SheetGeometry g;
    g.labelsAcross = 4;
    EXPECT_EQ(CLabelPrinter::SheetProblem(g, 600, 4960, 7015),
              QStringLiteral("These label dimensions do not fit on the paper: the last label "
                             "would start 308.0 mm from the paper's left edge and 251.0 mm from "
                             "its top edge, but the paper is 210 x 297 mm. Please check the "
                             "label dimensions."));
    g.labelsAcross = 2;
    g.labelHeight = 0;
    g.horizontalGutter = 9;
    EXPECT_EQ(CLabelPrinter::SheetProblem(g, 600, 4960, 7015),
              QStringLiteral("These label dimensions put 2 x 8 labels less than 1 mm apart, so "
                             "they cannot be printed. Please check the label width, height and "
                             "gutters."));
    g.horizontalGutter = 10;
    EXPECT_EQ(CLabelPrinter::SheetProblem(g, 600, 4960, 7015), std::nullopt);
}

TEST(CLabelPrinter, EmptyLabelLeavesItsPositionBlank) {
    const std::vector<std::string> labels = {"A", " \r\n\t\r\n", "C"};
    LabelPreferences format;
    format.textColour = 0x0000FF;
    RecordingPrintDevice device;
    EXPECT_EQ(CLabelPrinter(format, "Serif", labels).Print(device, false, 1).nextPosition(), 4);
    const auto places = placesOf(device);
    ASSERT_EQ(places.size(), 2u);
    EXPECT_EQ(places.at("A"), place(1, 1));
    EXPECT_EQ(places.at("C"), place(1, 3));
    EXPECT_EQ(device.pages[0].colours, (std::vector<std::uint32_t>{0x0000FF}));
}

TEST(CLabelPrinter, AsksForTheDeviceAndStopsWhenCancelled) {
    const auto labels = numberedLabels(3);
    int asked = 0;
    CLabelPrinter cancelled(LabelPreferences{}, "Serif", labels, [&] {
        ++asked;
        return std::unique_ptr<PrintDevice>();
    });
    EXPECT_EQ(cancelled.Print(false, 1).nextPosition(), 0);
    EXPECT_EQ(asked, 1);

    RecordingPrintDevice* seen = nullptr;
    std::vector<std::string> calls;
    struct Owned : RecordingPrintDevice {
        std::vector<std::string>* out;
        ~Owned() override { *out = calls; }
    };
    CLabelPrinter job(LabelPreferences{}, "Serif", labels, [&] {
        auto d = std::make_unique<Owned>();
        d->out = &calls;
        seen = d.get();
        return std::unique_ptr<PrintDevice>(std::move(d));
    });
    EXPECT_EQ(job.Print(false, 1).nextPosition(), 4);
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(calls.back(), "endDoc"); // and the device was released after the job
}

TEST(CLabelPrinter, NothingToPlacePrintsNoPages) {
    // An empty list, or a sheet without positions, must not become a run of blank pages, nor
    // start the printer: a started job feeds a blank sheet.
    std::vector<std::string> none;
    RecordingPrintDevice device;
    EXPECT_EQ(
        CLabelPrinter(LabelPreferences{}, "Serif", none).Print(device, false, 1).nextPosition(), 1);
    EXPECT_TRUE(device.pages.empty());
    EXPECT_TRUE(device.calls.empty());

    LabelPreferences noColumns;
    noColumns.geometry.labelsAcross = 0;
    const auto labels = numberedLabels(2);
    RecordingPrintDevice other;
    EXPECT_EQ(CLabelPrinter(noColumns, "Serif", labels).Print(other, false, 3).nextPosition(), 3);
    EXPECT_TRUE(other.pages.empty());
    EXPECT_TRUE(other.calls.empty());

    SheetGeometry noRows = LabelPreferences{}.geometry;
    noRows.labelsDown = 0;
    RecordingPrintDevice testSheet;
    (void)CLabelPrinter(noRows).Print(testSheet, true, 1);
    EXPECT_TRUE(testSheet.calls.empty());
}

TEST(CLabelPrinter, CancelStopsBeforeTheNextSheetAndAbortsTheJob) {
    const auto labels = numberedLabels(16 * 5);
    CLabelPrinter job(LabelPreferences{}, "Serif", labels);
    std::vector<int> sheets;
    job.onPage = [&sheets](int sheet, int count) {
        EXPECT_EQ(count, 5);
        sheets.push_back(sheet);
    };
    job.cancelRequested = [&sheets] { return sheets.size() == 3; };
    RecordingPrintDevice device;
    EXPECT_EQ(job.Print(device, false, 1).nextPosition(), 0);
    EXPECT_EQ(sheets, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(device.pages.size(), 2u);
    EXPECT_EQ(device.calls.back(), "abortDoc");
}
