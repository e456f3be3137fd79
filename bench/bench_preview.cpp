// Opens the print preview of N generated addresses (default 5000, 313 pages on the default
// 2 × 8 sheet) laid out for a 600-unit printer, and reports the milliseconds to the first
// page shown, to page 313, and per page turn after that.
#include "labels/JobPreview.h"
#include "labels/LabelPreferences.h"
#include "labels/ui/PrintPreviewDialog.h"
#include "platform/Allocator.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

// 3 to 7 lines; one in five has a long line that forces small sizes or a split.
std::vector<std::string> addresses(int n) {
    static const char* const first[] = {"Ann",       "Robert",  "Marie-Claire", "Jo",
                                        "Alexander", "Siobhan", "Wei",          "Bartholomew"};
    static const char* const last[] = {
        "Smith", "O'Reilly", "Featherstonehaugh", "Ng", "Montgomery-Wyndham", "Brown", "Kowalczyk"};
    static const char* const streets[] = {"High Street", "Church Lane", "Station Road",
                                          "The Old Rectory Gardens", "Mill Way"};
    static const char* const towns[] = {"Oxford", "Little Snoring", "Newcastle upon Tyne", "Bath",
                                        "Llanfairpwllgwyngyll"};
    std::mt19937 rng(42);
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const int lines = 3 + static_cast<int>(rng() % 5);
        std::string t = std::string(first[rng() % 8]) + " " + last[rng() % 7];
        for (int l = 1; l < lines - 1; ++l) {
            t += "\r\n";
            if (l == 1 && rng() % 5 == 0)
                t += "Flat 12, The Very Long Building Name House, Extremely Long Avenue";
            else
                t += std::to_string(1 + rng() % 200) + " " + streets[rng() % 5];
        }
        t += "\r\n";
        t += towns[rng() % 5];
        t += " AB" + std::to_string(rng() % 99) + " " + std::to_string(rng() % 9) + "CD";
        out.push_back(std::move(t));
    }
    return out;
}

double ms(const QElapsedTimer& t) {
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    Allocator::keepFreedMemory();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 5000;
    const auto labels = addresses(n);

    // Warm the font system once, as a running program has.
    {
        JobPreview warm(LabelPreferences{}, "Times New Roman", labels, 1, 600, 600,
                        QPageSize(QPageSize::A4));
        (void)warm.RenderPage(1, 96);
    }

    QElapsedTimer timer;
    timer.start();
    JobPreview job(LabelPreferences{}, "Times New Roman", labels, 1, 600, 600,
                   QPageSize(QPageSize::A4));
    PrintPreviewDialog preview(job);
    preview.show();
    QApplication::processEvents();
    const double first = ms(timer);
    const int drawnAtOpen = preview.pagesDrawn();

    const int last = job.PageCount();
    timer.restart();
    preview.showPage(last);
    QApplication::processEvents();
    const double lastPage = ms(timer);

    // Turning back through twenty pages not drawn yet.
    const int turns = std::min(20, last - 1);
    timer.restart();
    for (int i = 1; i <= turns; ++i) {
        preview.showPage(last - i);
        QApplication::processEvents();
    }
    const double perTurn = turns > 0 ? ms(timer) / turns : 0;

    std::printf("%d labels, %d pages; %.0f x %.0f pixels per page at %.0f dpi\n", n, last,
                static_cast<double>(job.PixelSize(preview.shownDpi()).width()),
                static_cast<double>(job.PixelSize(preview.shownDpi()).height()),
                preview.shownDpi());
    std::printf("open to first page shown: %.1f ms (%d page drawn)\n", first, drawnAtOpen);
    std::printf("page %d: %.1f ms\n", last, lastPage);
    std::printf("page turn: %.1f ms on average over %d pages\n", perTurn, turns);
    return 0;
}
