// The print job with an arbitrary sheet, resolution, paper and first position: either the
// sheet is refused before anything is printed, or every label and outline lies on the paper.
#include "FuzzSupport.h"
#include "labels/RecordingSurface.h"

#include "labels/LabelPrinter.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    (void)Fuzz::silence();
    FuzzedDataProvider in(data, size);
    const auto geometryBytes = in.ConsumeBytes<std::uint8_t>(SheetGeometry::kSize);
    if (geometryBytes.size() < SheetGeometry::kSize)
        return 0;
    LabelPreferences format;
    format.geometry = SheetGeometry::fromBytes(std::span<const std::uint8_t, SheetGeometry::kSize>(
        geometryBytes.data(), SheetGeometry::kSize));
    const bool testSheet = in.ConsumeBool();
    RecordingPrintDevice device(in.ConsumeIntegralInRange(1, 4800));
    device.paperTenths[0] = in.ConsumeIntegralInRange(0, 4000);
    device.paperTenths[1] = in.ConsumeIntegralInRange(0, 4000);
    device.offsetX = in.ConsumeIntegralInRange(0, 200);
    device.offsetY = in.ConsumeIntegralInRange(0, 200);
    format.alignment = in.ConsumeIntegral<std::uint8_t>();
    format.margin = in.ConsumeIntegral<std::uint8_t>();
    format.maxFontSize = in.ConsumeIntegral<std::uint16_t>();
    const unsigned perSheet =
        unsigned{format.geometry.labelsAcross} * unsigned{format.geometry.labelsDown};
    const int first = perSheet == 0 ? 1 : static_cast<int>(in.ConsumeIntegralInRange(1u, perSheet));
    std::vector<std::string> labels(in.ConsumeIntegralInRange(0, 40));
    for (auto& label : labels)
        label = in.ConsumeRandomLengthString(80);

    CLabelPrinter job =
        testSheet ? CLabelPrinter(format.geometry) : CLabelPrinter(format, "Serif", labels);
    const PrintOutcome outcome = job.Print(device, testSheet, first);
    // The recording device takes every page, so only the sheet can fail the job, and then
    // before anything is started.
    if (outcome.failed()) {
        FUZZ_CHECK(outcome.nextPosition() == 0 && device.calls.empty());
        return 0;
    }
    FUZZ_CHECK(outcome.printedWhole());
    const int dpi = device.deviceCaps(DeviceCap::LogPixelsX) / 10 * 10;
    const int paperW = device.deviceCaps(DeviceCap::PhysicalWidth);
    const int paperH = device.deviceCaps(DeviceCap::PhysicalHeight);
    FUZZ_CHECK(!CLabelPrinter::SheetProblem(format.geometry, dpi, paperW, paperH));
    // The test sheet outlines each position once; a job uses at most one page per label.
    if (testSheet && !device.pages.empty())
        FUZZ_CHECK(device.pages[0].frames.size() == perSheet);
    FUZZ_CHECK(device.pages.size() <= labels.size() + 1);
    // Every position starts on the paper, measured from its edge.
    for (const auto& page : device.pages) {
        for (const auto& f : page.frames) {
            FUZZ_CHECK(f.rect.left + device.offsetX >= 0);
            FUZZ_CHECK(paperW <= 0 || f.rect.left + device.offsetX < paperW);
            FUZZ_CHECK(paperH <= 0 || f.rect.top + device.offsetY < paperH);
        }
    }
    return 0;
}
