// Times the sheet picker's search on every keystroke with 2,000 sheets (the built-in library,
// the installed gLabels templates, and made-up sheets to fill up): the search alone, and the
// picker's whole answer to a key (search, list, selection, miniature, painted).
// Usage: bench_sheets [sheets]
#include "labels/SheetCatalogue.h"
#include "labels/SheetLibrary.h"
#include "labels/ui/CSheetPickerDialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <algorithm>
#include <cstdio>

namespace {

double ms(const QElapsedTimer& t) {
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

struct Figures {
    double worst = 0, total = 0;
    int keys = 0;
    void add(double v) {
        worst = std::max(worst, v);
        total += v;
        ++keys;
    }
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int wanted = argc > 1 ? std::atoi(argv[1]) : 2000;
    std::vector<LabelSheet> sheets = SheetCatalogue::standard().sheets();
    const std::size_t real = sheets.size();
    for (std::size_t i = 0; sheets.size() < static_cast<std::size_t>(wanted); ++i) {
        LabelSheet s = sheets[i % real];
        s.maker = QStringLiteral("Bench");
        s.codes = QStringList{QStringLiteral("B%1").arg(i)};
        sheets.push_back(std::move(s));
    }
    std::printf("%zu sheets (%zu built in and installed)\n", sheets.size(), real);

    const char* typed[] = {"avery 5160",     "3 x 7",        "63.5 x 38.1",
                           "1 3/4 x 1/2 in", "30 per sheet", "L7160-100"};
    const std::vector<QString> texts = SheetLibrary::searchTexts(sheets);
    Figures search;
    for (const char* text : typed) {
        const QString full = QString::fromUtf8(text);
        for (qsizetype n = 1; n <= full.size(); ++n) {
            QElapsedTimer t;
            t.start();
            const auto found = SheetLibrary::find(sheets, full.left(n), {}, &texts);
            search.add(ms(t));
            (void)found;
        }
    }
    std::printf("search alone: %.2f ms per key on average, %.2f ms at worst (%d keys)\n",
                search.total / search.keys, search.worst, search.keys);

    CSheetPickerDialog picker(sheets);
    picker.show();
    app.processEvents();
    Figures keys;
    for (const char* text : typed) {
        const QString full = QString::fromUtf8(text);
        picker.searchBox()->clear();
        app.processEvents();
        for (qsizetype n = 1; n <= full.size(); ++n) {
            QElapsedTimer t;
            t.start();
            picker.searchBox()->setText(full.left(n));
            // What the key changed is painted as the window system would ask for it.
            app.processEvents();
            keys.add(ms(t));
            if (qEnvironmentVariableIsSet("BENCH_EACH"))
                std::printf("  %-16s %.2f ms\n", qPrintable(full.left(n)), ms(t));
        }
    }
    std::printf("picker, search to painted list: %.2f ms per key on average, %.2f ms at worst "
                "(%d keys)\n",
                keys.total / keys.keys, keys.worst, keys.keys);
    return 0;
}
