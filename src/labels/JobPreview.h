#pragma once

#include "labels/FitReport.h"
#include "labels/LabelPreferences.h"
#include "labels/LabelPrinter.h"

#include <QImage>
#include <QPageSize>
#include <span>
#include <string>
#include <vector>

// The sheets of a print job as they will print, one page at a time, for the print preview.
// Each page is laid out and fitted at the printer's resolution by the job's own printing
// code and drawn scaled onto an image at the preview's resolution, so text lands where the
// printer puts it. Pages are drawn only when asked for: a long job opens at once.
class JobPreview {
public:
    // labels are borrowed for the preview's life. resolutionX/Y are the printer's units per
    // inch; paper is the sheet's size, drawn from its corner.
    JobPreview(const LabelPreferences& format, std::string faceName,
               std::span<const std::string> labels, int firstPosition, int resolutionX,
               int resolutionY, const QPageSize& paper);

    int PageCount() const { return pages; }
    int Resolution() const { return resolutionX; }
    QSizeF PaperInches() const;
    // The page's size in pixels at dpi pixels per inch.
    QSize PixelSize(double dpi) const;

    struct Marks {
        bool outlines = true; // every position faintly outlined
        bool used = true;     // positions before the first one greyed as used
        bool misfits = true;  // labels whose text does not fit outlined in red
    };
    // Page (1-based) at dpi pixels per inch; a null image for a page outside the job.
    QImage RenderPage(int page, double dpi, const Marks& marks);
    QImage RenderPage(int page, double dpi) { return RenderPage(page, dpi, Marks{}); }

    // The first and last label (1-based) printed on a page, and the position of the first.
    struct PageSpan {
        int firstLabel = 0;
        int lastLabel = 0;
        int firstPosition = 0;
    };
    PageSpan Span(int page) const;
    // The misfit labels of a page; known once the page has been drawn.
    std::vector<int> PageMisfits(int page) const;
    // Every label fitted so far.
    const FitReport& Fits() const { return job.Fits(); }

    static constexpr std::uint32_t kOutlineColour = 0xC8C8C8; // 0x00BBGGRR
    static constexpr std::uint32_t kUsedColour = 0xDCDCDC;
    static constexpr std::uint32_t kMisfitColour = 0x0000E0; // red

private:
    CLabelPrinter job;
    LabelPreferences format;
    int labelCount;
    int firstPosition;
    int perSheet;
    int pages;
    int resolutionX;
    int resolutionY;
    QPageSize paper;
};
