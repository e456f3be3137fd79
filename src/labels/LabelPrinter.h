#pragma once

#include "labels/DrawSurface.h"
#include "labels/FitReport.h"
#include "labels/LabelPreferences.h"
#include "labels/PrintDevice.h"
#include "labels/PrintOffset.h"
#include "labels/PrintOutcome.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

// One print job: lays the label texts out on sheets, starting at a given position of the
// first sheet, and fits and draws each text in its label. Also prints the test sheet, on
// which every label position is outlined.
//
// The main window's Print command:
//     CLabelPrinter job(preferences, faceName, labels, askForPrinter);
//     const PrintOutcome outcome = job.Print(false, preferences.firstLabel);
//     if (outcome.printedWhole())
//         preferences.firstLabel = outcome.nextPosition();
class CLabelPrinter {
public:
    // Gives the device for a job, or nullptr when the user cancelled the print dialog.
    using DeviceSource = std::function<std::unique_ptr<PrintDevice>()>;

    struct PrintProgress {
        int firstPosition; // 1-based position of the first label on the current sheet
        int nextLabel;     // 1-based number of the next label to print
        int labelCount;
    };

    // A job printing labels (UTF-8 texts, lines separated by CR LF), borrowed for the job.
    CLabelPrinter(const LabelPreferences& format, std::string faceName,
                  std::span<const std::string> labels, DeviceSource source = {});
    // A test-sheet job for a geometry.
    explicit CLabelPrinter(const SheetGeometry& geometry, DeviceSource source = {});

    // Asks the device source for a device and prints the job on it. A job that fails is
    // reported to the user here, with the printer's name and the reason.
    PrintOutcome Print(bool testSheet, int firstPosition);
    // The job on a given device, reporting nothing itself. A sheet that cannot be printed on
    // the device's paper fails before anything is printed; a page or a document the device
    // refuses fails the job, which is then withdrawn whole.
    PrintOutcome Print(PrintDevice& device, bool testSheet, int firstPosition);

    // The job's name in the printer's queue.
    QString documentName = kDefaultDocumentName;
    static inline const QString kDefaultDocumentName = QStringLiteral("Quillmark labels");

    // Why geometry cannot be printed on a paper of the given size (device units at the given
    // resolution; 0 for a paper of unknown size, taken as 1 m), or nullopt when it can: every
    // position must start on the paper, and positions must lie at least 1 mm apart. Without this, a
    // sheet of tens of thousands of positions would print at wrapped coordinates or draw billions
    // of outlines.
    static std::optional<QString> SheetProblem(const SheetGeometry& geometry, int resolution,
                                               int paperWidth, int paperHeight);

    // Where the labels leave the device's paper or its printable area, in a sentence naming
    // the printer; nullopt when they lie within it. Asked about before a job from Print.
    std::optional<QString> PaperOverhang(const PrintDevice& device) const;

    void PrintPage(PrintDevice& device, PrintProgress& progress);
    void PrintTestSheet(PrintDevice& device, PrintProgress& progress);
    void PrintLabel(PrintDevice& device, const DeviceRect& rect, int k);

    // Fits every label of the job as printing at this resolution would (dots per inch across
    // and down), without drawing anything: what the job would report in fits.
    FitReport Survey(int unitsPerInchX, int unitsPerInchY);

    // The rectangle of a 1-based position on a sheet, as the labels are placed on device.
    DeviceRect PositionRect(PrintDevice& device, int position) const;

    // Tenths of a millimetre to device units at the job's resolution.
    int TenthsToDevice(int tenths) const;
    static std::int64_t TenthsToDevice(std::int64_t tenths, int resolution);

    int Resolution() const { return resolution; }
    void setResolution(int unitsPerInch) { resolution = unitsPerInch; }

    // Called before each page is started, with the page number and the number of pages.
    std::function<void(int page, int pages)> onPage;
    // Asked before each page; true stops the job, which is then withdrawn whole, as if the
    // print dialog had been cancelled.
    std::function<bool()> cancelRequested;

    // Asked once the printer is chosen and before anything is printed, when a label does not
    // fit its label; false stops the job as a cancelled print dialog does.
    std::function<bool(const FitReport& report)> confirmFits;

    // The labels that needed more than a choice of size, collected as they are printed.
    const FitReport& Fits() const { return fits; }

    static constexpr int kTestSheetLabels = 1000;
    static constexpr int kMinPitchTenths = 10; // positions closer than 1 mm cannot be labels

    // Moves everything the job prints (labels, outlines, marks) to make up for the printer's
    // paper feed. calibration, when set, gives the offset for the chosen printer by its name
    // (empty for a PDF); otherwise offset is used.
    PrintOffset offset;
    std::function<PrintOffset(const QString& printerName)> calibration;

    // With the test sheet, also prints a cross-hair with a millimetre scale each way at two
    // label corners: the top-left one of the label in the second row and column, and the
    // bottom-right one of the label one in from the bottom-right corner (the outer labels on
    // sheets too small for that). Held against a sheet of labels, the scales read how far
    // the printer is off.
    bool calibrationMarks = false;
    static constexpr int kMarkReach = 100; // tenths: the scales run ±10 mm

private:
    // Fits label k into rect and draws it on dc, noting what fitting did.
    void fitLabel(DrawSurface& dc, const DeviceRect& rect, int k);
    // The label at column c, row r, before the shift to the paper's edges.
    DeviceRect labelRect(int c, int r) const;
    DeviceRect shifted(PrintDevice& device, DeviceRect rect) const;
    void PrintCalibrationMarks(PrintDevice& device);
    void PrintCalibrationMark(PrintDevice& device, int x, int y);

    LabelPreferences format;
    std::string faceName;
    std::span<const std::string> labels;
    DeviceSource source;
    int resolution = 0;
    FitReport fits;
    PrintOffset applied; // the offset of the job running
};
