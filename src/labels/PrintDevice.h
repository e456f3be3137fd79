#pragma once

#include "labels/DrawSurface.h"

#include <QString>
#include <cstdint>
#include <optional>

// A printer job as the label printer drives it. Results follow the printing calls they
// stand for: startDoc and endPage give a value greater than 0 on success.
class PrintDevice {
public:
    virtual ~PrintDevice() = default;

    virtual int startDoc(const QString& documentName) = 0;
    virtual int startPage() = 0;
    virtual int endPage() = 0;
    virtual int endDoc() = 0;
    virtual int abortDoc() = 0;

    // LogPixelsX/Y: resolution; PhysicalOffsetX/Y: distance in device units from the
    // paper's left and top edges to the printable area, where the surface's origin lies.
    virtual int deviceCaps(DeviceCap cap) const = 0;

    // Where the printer prints on its paper, in device units from the paper's corner; nullopt
    // for a device that prints the whole paper.
    virtual std::optional<DeviceRect> printableArea() const { return std::nullopt; }

    // The printer's name, which keys its calibration; empty for a PDF or a file.
    virtual QString printerName() const { return {}; }

    // Why the job cannot be printed or was not taken, as the user is told it ("Nothing was
    // printed on ...: ..."); empty while nothing went wrong. A device may know before the
    // job starts (no printer), or only once a call has failed.
    virtual QString failure() const { return {}; }

    // The surface of the current page; valid between startPage and endPage.
    virtual DrawSurface& surface() = 0;

    void setTextColour(std::uint32_t colour) { surface().setTextColour(colour); }
};
