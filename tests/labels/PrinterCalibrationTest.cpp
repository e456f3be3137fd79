#include "MemorySettingsStore.h"
#include "RecordingSurface.h"

#include "ScriptedPrompt.h"
#include "labels/LabelPrinter.h"
#include "labels/PrinterCalibration.h"
#include "labels/ui/CDimensionsPP.h"

#include <gtest/gtest.h>
#include <map>

namespace {

// A printer with a name, as the print dialog gives one.
class NamedPrintDevice : public RecordingPrintDevice {
public:
    explicit NamedPrintDevice(QString name) : name(std::move(name)) {}
    QString printerName() const override { return name; }
    QString name;
};

std::vector<std::string> someLabels() {
    return {"One", "Two", "Three"};
}

// The job as the main window runs it: offsets looked up by the chosen printer's name.
void printWith(PrinterCalibration& calibration, RecordingPrintDevice& device, bool testSheet) {
    static const auto labels = someLabels();
    CLabelPrinter job(LabelPreferences{}, "Serif", labels);
    CLabelPrinter sheet{SheetGeometry{}};
    CLabelPrinter& used = testSheet ? sheet : job;
    used.calibration = [&](const QString& name) { return calibration.offsetFor(name); };
    (void)used.Print(device, testSheet, 1);
}

} // namespace

TEST(PrinterCalibration, KeepsEachPrintersOffsetApart) {
    MemorySettingsStore store;
    PrinterCalibration calibration(store);
    calibration.setOffset(QStringLiteral("Office laser"), {15, -7});
    calibration.setOffset(QStringLiteral("Inkjet upstairs"), {-3, 20});
    EXPECT_EQ(calibration.offsetFor(QStringLiteral("Office laser")), (PrintOffset{15, -7}));
    EXPECT_EQ(calibration.offsetFor(QStringLiteral("Inkjet upstairs")), (PrintOffset{-3, 20}));
    EXPECT_EQ(calibration.offsetFor(QStringLiteral("Never calibrated")), PrintOffset{});
    EXPECT_EQ(calibration.offsetFor(QString()), PrintOffset{});

    // Another store over the same settings sees them: they outlive the session.
    EXPECT_EQ(PrinterCalibration(store).offsetFor(QStringLiteral("Office laser")),
              (PrintOffset{15, -7}));
    // Not in the settings record: its fixed layout is untouched.
    EXPECT_FALSE(store.values.contains(QStringLiteral("Preferences")));

    calibration.reset(QStringLiteral("Office laser"));
    EXPECT_EQ(calibration.offsetFor(QStringLiteral("Office laser")), PrintOffset{});
    EXPECT_EQ(calibration.offsetFor(QStringLiteral("Inkjet upstairs")), (PrintOffset{-3, 20}));

    // Held to ±10 mm; a PDF (no name) never gets one.
    calibration.setOffset(QStringLiteral("Wild"), {500, -500});
    EXPECT_EQ(calibration.offsetFor(QStringLiteral("Wild")), (PrintOffset{100, -100}));
    calibration.setOffset(QString(), {10, 10});
    EXPECT_EQ(calibration.offsetFor(QString()), PrintOffset{});
}

TEST(PrinterCalibration, DamagedSettingReadsAsNoOffset) {
    const char* damaged[] = {"",
                             "not json",
                             "[1,2]",
                             R"({"P": [1]})",
                             R"({"P": ["a", 2]})",
                             R"({"P": [900, 0]})",
                             R"({"P": {"x": 1}})"};
    for (const char* value : damaged) {
        MemorySettingsStore store;
        store.writeString(PrinterCalibration::kSettingName, QString::fromLatin1(value));
        PrinterCalibration calibration(store);
        EXPECT_EQ(calibration.offsetFor(QStringLiteral("P")), PrintOffset{}) << value;
        // Calibrating again works over the damage.
        calibration.setOffset(QStringLiteral("P"), {4, 5});
        EXPECT_EQ(calibration.offsetFor(QStringLiteral("P")), (PrintOffset{4, 5})) << value;
    }
}

// At 600 units per inch, 1.5 mm is 35 units and 0.7 mm 16 (truncated, as every length).
TEST(PrinterCalibration, MovesLabelsAndOutlinesOfTheCalibratedPrinterOnly) {
    MemorySettingsStore store;
    PrinterCalibration calibration(store);
    calibration.setOffset(QStringLiteral("Office laser"), {15, -7});
    calibration.setOffset(QStringLiteral("Inkjet upstairs"), {-20, 30});

    struct Case {
        const char* printer;
        int dx, dy;
    };
    const Case cases[] = {
        {"Office laser", 35, -16}, {"Inkjet upstairs", -47, 70}, {"", 0, 0}, {"Other", 0, 0}};
    for (const bool testSheet : {false, true}) {
        RecordingPrintDevice plain;
        static const auto labels = someLabels();
        CLabelPrinter reference(LabelPreferences{}, "Serif", labels);
        CLabelPrinter referenceSheet{SheetGeometry{}};
        (void)(testSheet ? referenceSheet : reference).Print(plain, testSheet, 1);
        ASSERT_EQ(plain.pages.size(), 1u);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.printer) + (testSheet ? " test sheet" : " labels"));
            NamedPrintDevice device{QString::fromLatin1(c.printer)};
            printWith(calibration, device, testSheet);
            ASSERT_EQ(device.pages.size(), 1u);
            const RecordingSurface& got = device.pages[0];
            const RecordingSurface& want = plain.pages[0];
            ASSERT_EQ(got.outs.size(), want.outs.size());
            for (std::size_t i = 0; i < got.outs.size(); ++i) {
                EXPECT_EQ(got.outs[i].x, want.outs[i].x + c.dx);
                EXPECT_EQ(got.outs[i].y, want.outs[i].y + c.dy);
                EXPECT_EQ(got.outs[i].text, want.outs[i].text);
            }
            ASSERT_EQ(got.frames.size(), want.frames.size());
            for (std::size_t i = 0; i < got.frames.size(); ++i) {
                const DeviceRect& a = got.frames[i].rect;
                const DeviceRect& b = want.frames[i].rect;
                EXPECT_EQ(
                    a, (DeviceRect{b.left + c.dx, b.top + c.dy, b.right + c.dx, b.bottom + c.dy}));
            }
            EXPECT_EQ(testSheet ? got.frames.size() : got.outs.size(), testSheet ? 16u : 3u);
        }
    }
}

// The calibration sheet: the outlines, and at two label corners one label in from the edges
// a cross whose scales are numbered in millimetres of offset.
TEST(PrinterCalibration, CalibrationSheetMarksTwoCornersWithScales) {
    for (const PrintOffset offset : {PrintOffset{}, PrintOffset{15, -7}}) {
        CLabelPrinter job{SheetGeometry{}};
        job.calibrationMarks = true;
        job.offset = offset;
        RecordingPrintDevice device(600);
        (void)job.Print(device, true, 0);
        ASSERT_EQ(device.pages.size(), 1u);
        const RecordingSurface& page = device.pages[0];
        const int dx = job.TenthsToDevice(offset.x), dy = job.TenthsToDevice(offset.y);

        std::vector<DeviceRect> outlines, lines;
        for (const auto& f : page.frames)
            (f.brush == StockBrush::DarkGrey ? outlines : lines).push_back(f.rect);
        ASSERT_EQ(outlines.size(), 16u);
        // On the default 2 x 8 sheet: the top-left corner of row 2, column 2 and the
        // bottom-right corner of row 7, column 1.
        const std::pair<int, int> corners[] = {{outlines[3].left, outlines[3].top},
                                               {outlines[12].right, outlines[12].bottom}};
        EXPECT_EQ(outlines.front().left, 118 + dx);
        EXPECT_EQ(outlines.front().top, 307 + dy);
        for (const auto& corner : corners) {
            // Plain names, not a structured binding: clang 14 cannot capture one in a lambda.
            const int x = corner.first;
            const int y = corner.second;
            // A horizontal and a vertical hair through the corner, each reaching past ±10 mm.
            auto through = [&](bool horizontal) {
                for (const DeviceRect& r : lines)
                    if (horizontal ? (r.top == y && r.bottom == y + 1 && r.left < x - 236 &&
                                      r.right > x + 236)
                                   : (r.left == x && r.right == x + 1 && r.top < y - 236 &&
                                      r.bottom > y + 236))
                        return true;
                return false;
            };
            EXPECT_TRUE(through(true)) << x << "," << y;
            EXPECT_TRUE(through(false)) << x << "," << y;
            // Ticks every millimetre: +1 mm is 23 units along.
            bool tick = false;
            for (const DeviceRect& r : lines)
                tick |= r.left == x + job.TenthsToDevice(10) && r.top == y && r.right == r.left + 1;
            EXPECT_TRUE(tick);
        }
        // Numbers at ±5 and ±10 on both scales of both crosses.
        std::map<std::string, int> numbers;
        for (const auto& out : page.outs)
            ++numbers[out.text];
        for (const char* n : {"-10", "-5", "+5", "+10"})
            EXPECT_EQ(numbers[n], 4) << n;
    }
}

// The Dimensions page's test sheet goes through the same lookup as the Print command.
TEST(PrinterCalibration, DimensionsTestSheetUsesTheChosenPrintersOffset) {
    ScriptedPrompt p;
    // A named printer that leaves its pages behind when the job releases it.
    struct Kept : NamedPrintDevice {
        Kept(std::vector<RecordingSurface>& out)
            : NamedPrintDevice(QStringLiteral("Laser")), out(out) {}
        ~Kept() override { out = pages; }
        std::vector<RecordingSurface>& out;
    };
    auto printTestSheet = [](bool calibrated) {
        std::vector<RecordingSurface> pages;
        CDimensionsPP page;
        page.values = DimensionValues::fromGeometry(SheetGeometry{});
        page.activate();
        page.deviceSource = [&] { return std::make_unique<Kept>(pages); };
        if (calibrated)
            page.calibration = [](const QString& name) {
                return name == QLatin1String("Laser") ? PrintOffset{15, -7} : PrintOffset{};
            };
        page.OnPrintTestSheet();
        return pages;
    };
    const auto plain = printTestSheet(false);
    const auto moved = printTestSheet(true);
    ASSERT_EQ(plain.size(), 1u);
    ASSERT_EQ(moved.size(), 1u);
    ASSERT_EQ(plain[0].frames.size(), 16u);
    ASSERT_EQ(moved[0].frames.size(), 16u);
    for (std::size_t i = 0; i < 16; ++i) {
        const DeviceRect& a = moved[0].frames[i].rect;
        const DeviceRect& b = plain[0].frames[i].rect;
        EXPECT_EQ(a, (DeviceRect{b.left + 35, b.top - 16, b.right + 35, b.bottom - 16}));
    }
    EXPECT_TRUE(p.shown.empty());
}
