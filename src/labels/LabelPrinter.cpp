#include "labels/LabelPrinter.h"

#include "labels/LabelFont.h"
#include "labels/LabelFormat.h"
#include "labels/LabelLines.h"
#include "labels/QtDrawSurface.h"
#include "labels/SheetPaper.h"
#include "platform/Prompt.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>

namespace {

// Measures as the surface it wraps and draws nothing: fitting a job's labels to learn what
// fitting does costs no drawing.
class MeasuringSurface : public DrawSurface {
public:
    explicit MeasuringSurface(DrawSurface& m) : measure(m) {}
    void setTransparentBackground() override {}
    void setTextColour(std::uint32_t) override {}
    bool selectFont(const LabelFont& font) override { return measure.selectFont(font); }
    TextExtent textExtent(std::string_view text) override { return measure.textExtent(text); }
    TextMetrics textMetrics() override { return measure.textMetrics(); }
    void textOut(int, int, std::string_view) override {}
    void frameRect(const DeviceRect&, StockBrush) override {}
    int deviceCaps(DeviceCap cap) const override { return measure.deviceCaps(cap); }

private:
    DrawSurface& measure;
};

// Dots per inch as an image's dots per metre, rounded so that the image reports them back.
int dotsPerMetre(int dpi) {
    return static_cast<int>(dpi / 0.0254 + 0.5);
}

} // namespace

CLabelPrinter::CLabelPrinter(const LabelPreferences& f, std::string face,
                             std::span<const std::string> l, DeviceSource s)
    : format(f), faceName(std::move(face)), labels(l), source(std::move(s)) {}

CLabelPrinter::CLabelPrinter(const SheetGeometry& geometry, DeviceSource s) : source(std::move(s)) {
    format.geometry = geometry;
}

PrintOutcome CLabelPrinter::Print(bool testSheet, int firstPosition) {
    if (!source)
        return PrintOutcome::cancelled();
    std::unique_ptr<PrintDevice> device = source();
    if (!device)
        return PrintOutcome::cancelled();
    const auto report = [](PrintOutcome outcome) {
        if (outcome.failed())
            showMessage(outcome.message(), kAppCaption, Prompt::Buttons::Ok, Prompt::Icon::Warning);
        return outcome;
    };
    // A printer that cannot take a job is said so before any question about the labels.
    if (const QString failure = device->failure(); !failure.isEmpty())
        return report(PrintOutcome::failed(failure));
    // What cannot be printed at all is refused before what can be printed is asked about.
    const int dpi = device->deviceCaps(DeviceCap::LogPixelsX) / 10 * 10;
    if (const auto problem =
            SheetProblem(format.geometry, dpi, device->deviceCaps(DeviceCap::PhysicalWidth),
                         device->deviceCaps(DeviceCap::PhysicalHeight)))
        return report(PrintOutcome::failed(*problem));
    if (const auto overhang = PaperOverhang(*device)) {
        if (showMessage(*overhang + QStringLiteral(" Print anyway?"), kAppCaption,
                        Prompt::Buttons::YesNo, Prompt::Icon::Warning) != Prompt::Answer::Yes)
            return PrintOutcome::cancelled();
    }
    if (!testSheet && confirmFits) {
        const FitReport fitReport = Survey(device->deviceCaps(DeviceCap::LogPixelsX),
                                           device->deviceCaps(DeviceCap::LogPixelsY));
        if (!fitReport.misfits().empty() && !confirmFits(fitReport))
            return PrintOutcome::cancelled();
    }
    return report(Print(*device, testSheet, firstPosition));
    // The device, and with it the printer surface, is released here.
}

std::optional<QString> CLabelPrinter::PaperOverhang(const PrintDevice& device) const {
    const int dpi = device.deviceCaps(DeviceCap::LogPixelsX);
    if (dpi <= 0)
        return std::nullopt;
    const auto mm = [dpi](int units) { return units * 25.4 / dpi; };
    SheetPaper::Printed printed;
    printed.paper = {mm(device.deviceCaps(DeviceCap::PhysicalWidth)),
                     mm(device.deviceCaps(DeviceCap::PhysicalHeight))};
    if (const auto area = device.printableArea())
        printed.printable = QRectF(mm(area->left), mm(area->top), mm(area->right - area->left),
                                   mm(area->bottom - area->top));
    return SheetPaper::overhang(format.geometry, printed, device.printerName());
}

namespace {

QString nothingPrinted(const PrintDevice& device) {
    const QString reason = device.failure();
    if (!reason.isEmpty())
        return reason;
    const QString name = device.printerName();
    const QString cause = QStringLiteral("the printer did not take the job.");
    return name.isEmpty() ? QStringLiteral("Nothing was printed: %1").arg(cause)
                          : QStringLiteral("Nothing was printed on %1: %2").arg(name, cause);
}

} // namespace

PrintOutcome CLabelPrinter::Print(PrintDevice& device, bool testSheet, int firstPosition) {
    const int dpi = device.deviceCaps(DeviceCap::LogPixelsX) / 10 * 10;
    if (const auto problem =
            SheetProblem(format.geometry, dpi, device.deviceCaps(DeviceCap::PhysicalWidth),
                         device.deviceCaps(DeviceCap::PhysicalHeight)))
        return PrintOutcome::failed(*problem);
    fits.clear();
    const unsigned labelCount =
        testSheet ? kTestSheetLabels : static_cast<std::uint16_t>(labels.size());
    const unsigned perSheet = static_cast<unsigned>(format.geometry.labelsAcross) *
                              static_cast<unsigned>(format.geometry.labelsDown);
    const unsigned first = static_cast<unsigned>(firstPosition);
    unsigned pages;
    if (perSheet == 0 || (!testSheet && labelCount == 0))
        pages = 0; // nothing to place: never a blank sheet
    else if (testSheet)
        pages = 1;
    else
        pages = (labelCount + first - 2) / perSheet + 1;

    // A started printer job feeds at least one sheet, so it starts only with a page to print.
    bool healthy = pages > 0 && device.startDoc(documentName) > 0;

    resolution = device.deviceCaps(DeviceCap::LogPixelsX) / 10 * 10;
    applied = calibration ? calibration(device.printerName()) : offset;

    PrintProgress progress{firstPosition, 1, static_cast<int>(labelCount)};
    bool cancelled = false;
    for (unsigned page = 1; page <= pages && healthy; ++page) {
        if (onPage)
            onPage(static_cast<int>(page), static_cast<int>(pages));
        if (cancelRequested && cancelRequested()) {
            cancelled = true;
            break;
        }
        healthy = device.startPage() > 0;
        if (!healthy)
            break;
        if (testSheet)
            PrintTestSheet(device, progress);
        else
            PrintPage(device, progress);
        healthy = device.endPage() > 0;
        progress.firstPosition = 1;
    }
    if (pages > 0) {
        // Only a whole job reaches the printer; anything else is withdrawn.
        if (healthy && !cancelled)
            healthy = device.endDoc() > 0;
        else
            device.abortDoc();
    }
    if (cancelled)
        return PrintOutcome::cancelled();
    if (pages > 0 && !healthy)
        return PrintOutcome::failed(nothingPrinted(device));

    if (perSheet == 0)
        return PrintOutcome::printed(firstPosition);
    return PrintOutcome::printed(static_cast<int>((first + labelCount - 1) % perSheet + 1));
}

int CLabelPrinter::TenthsToDevice(int a) const {
    return static_cast<int>(TenthsToDevice(std::int64_t{a}, resolution));
}

std::int64_t CLabelPrinter::TenthsToDevice(std::int64_t a, int dpi) {
    // Wider arithmetic only guards against overflow on absurd sheets; for every geometry the
    // settings accept the result is the 32-bit one.
    return a * (dpi / 10) * 5 / 127;
}

std::optional<QString> CLabelPrinter::SheetProblem(const SheetGeometry& g, int dpi, int paperWidth,
                                                   int paperHeight) {
    // A device that does not know its paper is taken to hold at most a metre square, which
    // still bounds the number of positions.
    constexpr std::int64_t kUnknownPaperTenths = 10000;
    if (paperWidth <= 0)
        paperWidth = static_cast<int>(TenthsToDevice(kUnknownPaperTenths, dpi));
    if (paperHeight <= 0)
        paperHeight = static_cast<int>(TenthsToDevice(kUnknownPaperTenths, dpi));
    if (g.labelsAcross == 0 || g.labelsDown == 0)
        return std::nullopt; // no positions, nothing to print
    if (dpi <= 0)
        return QStringLiteral("The printer reports no resolution, so labels cannot be placed "
                              "on its paper.");
    const std::int64_t pitchX = std::int64_t{g.labelWidth} + g.verticalGutter;
    const std::int64_t pitchY = std::int64_t{g.labelHeight} + g.horizontalGutter;
    if ((g.labelsAcross > 1 && pitchX < kMinPitchTenths) ||
        (g.labelsDown > 1 && pitchY < kMinPitchTenths)) {
        return QStringLiteral("These label dimensions put %1 x %2 labels less than 1 mm apart, "
                              "so they cannot be printed. Please check the label width, height "
                              "and gutters.")
            .arg(g.labelsAcross)
            .arg(g.labelsDown);
    }
    // Where the last column and the last row start, measured from the paper's edges.
    const std::int64_t lastLeft = g.sideMargin + pitchX * (g.labelsAcross - 1);
    const std::int64_t lastTop = g.topMargin + pitchY * (g.labelsDown - 1);
    const bool offAcross = TenthsToDevice(lastLeft, dpi) >= paperWidth;
    const bool offDown = TenthsToDevice(lastTop, dpi) >= paperHeight;
    if (!offAcross && !offDown)
        return std::nullopt;
    const auto mm = [](std::int64_t tenths) {
        return QString::number(static_cast<double>(tenths) / 10.0, 'f', 1);
    };
    const auto paperMm = [dpi](int units) {
        return QString::number(dpi > 0 ? units * 25.4 / dpi : 0.0, 'f', 0);
    };
    return QStringLiteral("These label dimensions do not fit on the paper: the last label "
                          "would start %1 mm from the paper's left edge and %2 mm from its top "
                          "edge, but the paper is %3 x %4 mm. Please check the label dimensions.")
        .arg(mm(lastLeft), mm(lastTop), paperMm(paperWidth), paperMm(paperHeight));
}

DeviceRect CLabelPrinter::labelRect(int c, int r) const {
    // In 64 bits: a sheet of many wide labels overflows 32 bits before the paper check has
    // had its say, and the check guarantees that the results fit an int.
    const SheetGeometry& g = format.geometry;
    const auto device = [this](std::int64_t tenths) { return TenthsToDevice(tenths, resolution); };
    const std::int64_t left =
        device(g.sideMargin) + device((std::int64_t{g.labelWidth} + g.verticalGutter) * c);
    const std::int64_t top =
        device(g.topMargin) + device((std::int64_t{g.labelHeight} + g.horizontalGutter) * r);
    DeviceRect rect;
    rect.left = static_cast<int>(left);
    rect.top = static_cast<int>(top);
    rect.right = static_cast<int>(left + device(g.labelWidth));
    rect.bottom = static_cast<int>(top + device(g.labelHeight));
    return rect;
}

DeviceRect CLabelPrinter::shifted(PrintDevice& device, DeviceRect rect) const {
    // The one place positions reach the device, so the calibration moves everything alike.
    const int dx = device.deviceCaps(DeviceCap::PhysicalOffsetX) - TenthsToDevice(applied.x);
    const int dy = device.deviceCaps(DeviceCap::PhysicalOffsetY) - TenthsToDevice(applied.y);
    return {rect.left - dx, rect.top - dy, rect.right - dx, rect.bottom - dy};
}

void CLabelPrinter::PrintPage(PrintDevice& device, PrintProgress& progress) {
    device.setTextColour(format.textColour);
    const int across = format.geometry.labelsAcross;
    const int down = format.geometry.labelsDown;
    if (across <= 0)
        return;
    int c = (progress.firstPosition - 1) % across;
    int r = (progress.firstPosition - 1) / across;
    int k = progress.nextLabel;
    while (r < down && k <= progress.labelCount) {
        while (c < across && k <= progress.labelCount) {
            PrintLabel(device, shifted(device, labelRect(c, r)), k);
            k = k + 1;
            c = c + 1;
        }
        c = 0;
        r = r + 1;
    }
    progress.nextLabel = k;
}

void CLabelPrinter::PrintTestSheet(PrintDevice& device, PrintProgress&) {
    DrawSurface& dc = device.surface();
    for (int r = 0; r < format.geometry.labelsDown; ++r)
        for (int c = 0; c < format.geometry.labelsAcross; ++c)
            dc.frameRect(shifted(device, labelRect(c, r)), StockBrush::DarkGrey);
    if (calibrationMarks)
        PrintCalibrationMarks(device);
}

void CLabelPrinter::PrintCalibrationMarks(PrintDevice& device) {
    const SheetGeometry& g = format.geometry;
    if (g.labelsAcross == 0 || g.labelsDown == 0)
        return;
    // Corners one label in from the sheet's edges, where the scales stay on the paper and
    // within what any printer reaches.
    const int across = g.labelsAcross, down = g.labelsDown;
    const DeviceRect upper = labelRect(std::min(1, across - 1), std::min(1, down - 1));
    const DeviceRect lower = labelRect(std::max(across - 2, 0), std::max(down - 2, 0));
    PrintCalibrationMark(device, upper.left, upper.top);
    PrintCalibrationMark(device, lower.right, lower.bottom);
}

void CLabelPrinter::PrintCalibrationMark(PrintDevice& device, int x, int y) {
    // Lines are one-unit-wide frames, the one stroke every device draws alike.
    DrawSurface& dc = device.surface();
    auto line = [&](int left, int top, int right, int bottom) {
        dc.frameRect(shifted(device, {left, top, right + 1, bottom + 1}), StockBrush::Black);
    };
    const int reach = TenthsToDevice(kMarkReach + 20);
    line(x - reach, y, x + reach, y);
    line(x, y - reach, x, y + reach);

    LabelFont font = MakeLabelFont("DejaVu Sans", 0, 0, 0);
    font.height = 50; // 5 points: small enough to sit between the ticks
    dc.selectFont(font);
    dc.setTextColour(0);
    for (int mm = -kMarkReach / 10; mm <= kMarkReach / 10; ++mm) {
        if (mm == 0)
            continue;
        const int along = TenthsToDevice(mm * 10);
        const int tick = TenthsToDevice(mm % 5 == 0 ? 25 : 12);
        line(x + along, y, x + along, y + tick);
        line(x, y + along, x + tick, y + along);
        if (mm % 5 != 0)
            continue;
        // The number is the offset to enter when a label's edge crosses the scale there.
        const std::string text = (mm > 0 ? "+" : "") + std::to_string(mm);
        // Across: numbers above the hair, ticks below; down: both to the right. The numbers
        // of the two scales then never meet near the centre.
        const DeviceRect h = shifted(device, {x + along, y, x + along, y});
        const TextExtent size = dc.textExtent(text);
        dc.textOut(h.left - size.cx / 2, h.top - TenthsToDevice(5) - size.cy, text);
        const DeviceRect v = shifted(device, {x + tick, y + along, x + tick, y + along});
        dc.textOut(v.left + TenthsToDevice(5), v.top - size.cy / 2, text);
    }
}

void CLabelPrinter::PrintLabel(PrintDevice& device, const DeviceRect& rect, int k) {
    fitLabel(device.surface(), rect, k);
}

void CLabelPrinter::fitLabel(DrawSurface& dc, const DeviceRect& rect, int k) {
    if (k < 1 || static_cast<std::size_t>(k) > labels.size())
        return;
    LabelLines lines;
    if (!SplitLabelText(labels[static_cast<std::size_t>(k - 1)], lines))
        return;
    LabelFont font = MakeLabelFont(faceName, format.bold, format.italic, 0);
    CLabelFormat label(lines, rect.left, rect.top, rect.right, rect.bottom, format.margin,
                       resolution, false, 100);
    label.Draw(dc, format.maxFontSize, format.alignment, font);
    fits.add(LabelFit::of(k, lines, label));
}

FitReport CLabelPrinter::Survey(int unitsPerInchX, int unitsPerInchY) {
    FitReport report;
    if (unitsPerInchX <= 0 || unitsPerInchY <= 0)
        return report;
    resolution = unitsPerInchX / 10 * 10;
    // Font sizes and measurements depend only on the device's resolution, so a one-pixel
    // image of that resolution measures exactly as the printer does.
    QImage image(1, 1, QImage::Format_RGB32);
    image.setDotsPerMeterX(dotsPerMetre(unitsPerInchX));
    image.setDotsPerMeterY(dotsPerMetre(unitsPerInchY));
    QPainter painter(&image);
    QtDrawSurface surface(painter);
    MeasuringSurface measuring(surface);
    const FitReport printed = std::exchange(fits, FitReport());
    // Every label has the same size wherever it is placed.
    const DeviceRect rect = labelRect(0, 0);
    const int count = static_cast<std::uint16_t>(labels.size());
    for (int k = 1; k <= count; ++k)
        fitLabel(measuring, rect, k);
    report = std::exchange(fits, printed);
    return report;
}

DeviceRect CLabelPrinter::PositionRect(PrintDevice& device, int position) const {
    const int across = format.geometry.labelsAcross;
    if (across <= 0 || position < 1)
        return {};
    return shifted(device, labelRect((position - 1) % across, (position - 1) / across));
}
