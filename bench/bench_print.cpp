// Prints N generated addresses (default 5000) on the default 2 × 8 sheet to a PDF at 600
// units per inch and reports labels per second and peak memory.
#include "labels/LabelPreferences.h"
#include "labels/LabelPrinter.h"
#include "labels/PdfPrintDevice.h"
#include "platform/Allocator.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

long peakKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

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

} // namespace

int main(int argc, char** argv) {
    Allocator::keepFreedMemory();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 5000;
    const auto labels = addresses(n);
    QTemporaryDir dir;
    QFile file(dir.path() + QStringLiteral("/bench.pdf"));
    if (!file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        return 1;
    }
    const long before = peakKb();
    QElapsedTimer timer;
    timer.start();
    int next = 0;
    {
        PdfPrintDevice device(file, 600);
        CLabelPrinter job(LabelPreferences{}, "Times New Roman", labels);
        next = job.Print(device, false, 1).nextPosition();
    }
    file.close();
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    std::printf("%d labels (%d pages) in %.3f s: %.0f labels/s; next position %d\n", n,
                (n + 15) / 16, seconds, n / seconds, next);
    std::printf("peak memory %ld KiB (%ld KiB before the job); PDF %lld KiB\n", peakKb(), before,
                static_cast<long long>(file.size() / 1024));
    return 0;
}
