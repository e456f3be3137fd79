// Times importing a large foreign export through the import dialog: a generated CSV of
// 100,000 rows and 12 columns is opened with "Open Contact List...", shown in the dialog,
// imported, and shown in the contacts pane; then "Sort by Last Name" is toggled.
// Prints the milliseconds of each step and the peak memory.
// Usage: bench_import [rows]
#include "ExportRows.h"
#include "contacts/ui/ImportCSVDlg.h"
#include "mainwindow/CQuillmarkDlg.h"
#include "mainwindow/ContactsPane.h"
#include "mainwindow/ControlIds.h"
#include "platform/Pause.h"
#include "platform/SettingsStore.h"
#include "platform/ui/DialogRunner.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <random>
#include <sys/resource.h>

namespace {

// The export: a heading row, then rows - 1 customers.
QByteArray exportFile(int rows) {
    std::mt19937 rng(11);
    QByteArray out = ExportRows::kHeading;
    out.reserve(rows * 130);
    for (int i = 1; i < rows; ++i)
        ExportRows::append(out, rng);
    return out;
}

// The machine is shared, so each step is timed by the processor time this process used
// (what the step costs on an idle machine) next to the wall-clock time it took here.
struct Stopwatch {
    QElapsedTimer wall;
    double cpuStart = 0;
    static double cpuNow() {
        timespec ts{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
        return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
    }
    void start() {
        wall.start();
        cpuStart = cpuNow();
    }
    struct Reading {
        double cpu, wall;
    };
    Reading read() const { return {cpuNow() - cpuStart, wall.nsecsElapsed() / 1e6}; }
};

void report(const char* what, Stopwatch::Reading r) {
    std::printf("%-44s %8.1f ms processor time, %8.1f ms wall clock\n", what, r.cpu, r.wall);
}

long peakKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    Pause::setEnabled(false);
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 100000;

    const QString path = home.path() + QStringLiteral("/export.csv");
    const QByteArray bytes = exportFile(rows);
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    }

    QtSettingsStore store;
    CQuillmarkDlg dlg(store);
    dlg.OnInitDialog();
    dlg.show();
    QApplication::processEvents();
    const long baseKb = peakKb();
    std::printf("file: %d rows x 12 columns, %.1f MB\n", rows, bytes.size() / 1048576.0);

    Stopwatch total;
    Stopwatch step;
    Stopwatch::Reading shown{}, imported{};
    long shownKb = 0;
    DialogRunner::setHook([&](QDialog& d) {
        auto& importDlg = dynamic_cast<ImportCSVDlg&>(d);
        importDlg.show();
        QApplication::processEvents();
        shown = total.read();
        shownKb = peakKb();
        step.start();
        importDlg.control<QPushButton>(ImportCSVDlg::ImportButton)->click();
        imported = step.read();
        step.start();
        return importDlg.QDialog::result();
    });
    total.start();
    QString name = path;
    dlg.contactsPane->LoadContacts(ContactSource::kFile, name);
    QApplication::processEvents();
    const Stopwatch::Reading pane = step.read();
    DialogRunner::setHook({});

    report("read, decode, detect, parse, table shown:", shown);
    report("Import (contacts made):", imported);
    std::printf("contacts in the pane: %d\n", dlg.contactsTotal);
    report("contacts pane refreshed:", pane);
    report("Import plus refreshed pane:", {imported.cpu + pane.cpu, imported.wall + pane.wall});
    for (int round = 0; round < 2; ++round) {
        step.start();
        dlg.runCommand(Id::SortContactsByLastName);
        QApplication::processEvents();
        report("toggle Sort by Last Name:", step.read());
    }
    const long endKb = peakKb();
    std::printf("peak memory: %.1f MB before opening, %.1f MB with the table shown, %.1f MB "
                "at the end\n",
                baseKb / 1024.0, shownKb / 1024.0, endKb / 1024.0);
    std::printf("growth over the window's own memory: %.1f MB = %.1f x the file size\n",
                (endKb - baseKb) / 1024.0, (endKb - baseKb) * 1024.0 / bytes.size());

    // A 50 MB file whose first field opens a quote that never closes: the whole file is one
    // cell, which must show and import without a long freeze.
    QByteArray broken = "\"";
    const QByteArray line = "Ann Lee, 1 High Street, Springfield, AB1 2CD\r\n";
    while (broken.size() < 50 * 1024 * 1024)
        broken += line;
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(broken);
    }
    DialogRunner::setHook([&](QDialog& d) {
        auto& importDlg = dynamic_cast<ImportCSVDlg&>(d);
        importDlg.show();
        QApplication::processEvents();
        shown = total.read();
        step.start();
        importDlg.control<QPushButton>(ImportCSVDlg::ImportButton)->click();
        imported = step.read();
        step.start();
        return importDlg.QDialog::result();
    });
    dlg.contactList.NewContactList();
    total.start();
    name = path;
    dlg.contactsPane->LoadContacts(ContactSource::kFile, name);
    QApplication::processEvents();
    const Stopwatch::Reading brokenPane = step.read();
    DialogRunner::setHook({});
    std::printf("\n50 MB file with a quote never closed (%.1f MB):\n", broken.size() / 1048576.0);
    report("read, decode, detect, parse, table shown:", shown);
    report("Import:", imported);
    report("contacts pane refreshed:", brokenPane);
    std::printf("peak memory: %.1f MB\n", peakKb() / 1024.0);
    dlg.reject();
    return 0;
}
