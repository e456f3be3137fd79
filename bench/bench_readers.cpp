// Gives every reader a large file of a realistic and of an adversarial shape and prints what
// it ended with, how long it took and how much memory it needed on top of what the program
// held before, as MB and as a multiple of the file size.
//
// Each reading runs in a child process of its own, so that one case's peak does not hide the
// next one's and a case that runs out of memory or time ends only its child. Two paths are
// measured: the window's ("gui": Open Contact List with the import dialog shown and Import
// clicked, the contacts pane filled; Open Labels for label lists; "book": vCard files also
// as the address book folder's only file) and the print tool's ("print":
// LabelInput::readFile, as quillmark-print reads its input).
//
// Usage: bench_readers [megabytes=200 | limits] [case-name-filter]
// "limits" gives each case that a record limit refuses at 200 MB the size just under it.
#include "ExportRows.h"
#include "app/LabelInput.h"
#include "app/LabelListFile.h"
#include "contacts/AddressBookReader.h"
#include "contacts/ui/ImportCSVDlg.h"
#include "mainwindow/CQuillmarkDlg.h"
#include "mainwindow/ContactsPane.h"
#include "mainwindow/LabelListPane.h"
#include "platform/Pause.h"
#include "platform/Prompt.h"
#include "platform/SettingsStore.h"
#include "platform/ui/DialogRunner.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A child that needs more than this much address space, or more time, is stopped: it has
// long since failed the bound, and the machine is shared.
constexpr rlim_t kAddressLimit = 12ULL << 30;
constexpr unsigned kTimeLimitSeconds = 300;

// Appends pieces until the file reaches its size; the generator writes in chunks so that the
// parent stays small.
using Piece = std::function<void(QByteArray& out)>;

qint64 writeFile(const QString& path, qint64 size, const QByteArray& head, const Piece& piece,
                 const QByteArray& tail) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return -1;
    f.write(head);
    qint64 written = head.size();
    QByteArray chunk;
    while (written + tail.size() < size) {
        chunk.clear();
        while (chunk.size() < (1 << 20))
            piece(chunk);
        const qint64 room = size - tail.size() - written;
        if (chunk.size() > room) {
            // Cut at the last line end inside the room, so the file ends on a whole line.
            const qsizetype cut = chunk.lastIndexOf('\n', room - 1);
            if (cut < 0)
                break;
            chunk.truncate(cut + 1);
        }
        f.write(chunk);
        written += chunk.size();
        if (chunk.size() < (1 << 20) && written + tail.size() < size)
            break;
    }
    f.write(tail);
    written += tail.size();
    return written;
}

Piece exportRows(std::mt19937& rng) {
    return [&rng](QByteArray& out) { ExportRows::append(out, rng); };
}

QByteArray toUtf16(const QByteArray& utf8) {
    const QString s = QString::fromUtf8(utf8);
    return QByteArray(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
}

struct Case {
    const char* name;
    const char* reader;
    const char* suffix;
    std::function<qint64(const QString& path, qint64 size)> make;
};

std::vector<Case> cases() {
    static std::mt19937 rng(7);
    std::vector<Case> all;
    all.push_back({"own-format list", "contact list", "csv", [](const QString& p, qint64 n) {
                       return writeFile(p, n, "|QMK|\tCreated\twith\tQuillmark\r\n",
                                        [](QByteArray& out) {
                                            out +=
                                                "Ann Lee\t12 High Street\tSpringfield\tAB1 2CD\r\n";
                                        },
                                        {});
                   }});
    // Every field is a line of its contact: records of 100,000 one-letter fields.
    all.push_back({"own-format records of 100,000 one-letter fields", "contact list", "csv",
                   [](const QString& p, qint64 n) {
                       QByteArray record = QByteArray("a\t").repeated(100000);
                       record += "\r\n";
                       return writeFile(p, n, "|QMK|\tCreated\twith\tQuillmark\r\n",
                                        [record](QByteArray& out) { out += record; }, {});
                   }});
    all.push_back({"export CSV", "import", "csv", [](const QString& p, qint64 n) {
                       return writeFile(p, n, ExportRows::kHeading, exportRows(rng), {});
                   }});
    all.push_back({"a,,,,,,,,a rows", "import", "csv", [](const QString& p, qint64 n) {
                       return writeFile(p, n, {}, [](QByteArray& out) { out += "a,,,,,,,,a\n"; },
                                        {});
                   }});
    all.push_back(
        {"rows of 300 fields, a at each end", "import", "csv", [](const QString& p, qint64 n) {
             const QByteArray row = "a" + QByteArray(298, ',') + "a\n";
             return writeFile(p, n, {}, [row](QByteArray& out) { out += row; }, {});
         }});
    all.push_back({"rows of 300 one-letter cells", "import", "csv", [](const QString& p, qint64 n) {
                       const QByteArray row = QByteArray("a,").repeated(299) + "a\n";
                       return writeFile(p, n, {}, [row](QByteArray& out) { out += row; }, {});
                   }});
    all.push_back({"commas and line ends", "import", "csv", [](const QString& p, qint64 n) {
                       return writeFile(p, n, {}, [](QByteArray& out) { out += ",,\n\n,\n\n\n\n"; },
                                        {});
                   }});
    all.push_back({"line ends only", "import", "csv", [](const QString& p, qint64 n) {
                       return writeFile(p, n, ",\n",
                                        [](QByteArray& out) { out += QByteArray(64, '\n'); }, {});
                   }});
    all.push_back({"bytes 80-FF (Windows-1252)", "import", "csv", [](const QString& p, qint64 n) {
                       return writeFile(p, n, {},
                                        [](QByteArray& out) {
                                            QByteArray line;
                                            for (int b = 0x80; b < 0x100; ++b) {
                                                line += char(b);
                                                if (b % 32 == 31)
                                                    line += ',';
                                            }
                                            out += line + "\r\n";
                                        },
                                        {});
                   }});
    all.push_back({"export CSV in UTF-16", "import", "csv", [](const QString& p, qint64 n) {
                       QByteArray head("\xFF\xFE", 2);
                       head += toUtf16(ExportRows::kHeading);
                       const Piece rows = exportRows(rng);
                       return writeFile(p, n, head,
                                        [rows](QByteArray& out) {
                                            QByteArray line;
                                            rows(line);
                                            // The line's LF byte is followed by the zero of its
                                            // unit.
                                            out += toUtf16(line);
                                        },
                                        {});
                   }});
    all.push_back({"vCards with photos", "vCard", "vcf", [](const QString& p, qint64 n) {
                       return writeFile(
                           p, n, {},
                           [](QByteArray& out) {
                               out += "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann;;;\r\nFN:Ann Lee\r\n"
                                      "ADR;TYPE=HOME:;;12 High Street;Springfield;;AB1 2CD;UK\r\n"
                                      "PHOTO;ENCODING=b;TYPE=JPEG:";
                               const QByteArray line(75, 'Q');
                               for (int i = 0; i < 2000 * 1024 / 76; ++i)
                                   out += line + "\r\n ";
                               out += "QQ\r\nEND:VCARD\r\n";
                           },
                           {});
                   }});
    all.push_back({"tiny vCards", "vCard", "vcf", [](const QString& p, qint64 n) {
                       return writeFile(
                           p, n, {},
                           [](QByteArray& out) { out += "BEGIN:VCARD\r\nFN:a\r\nEND:VCARD\r\n"; },
                           {});
                   }});
    const QByteArray trailer = [] {
        LabelPreferences prefs;
        return LabelListFile::write(CSortStrArray(), prefs, "Arial");
    }();
    all.push_back(
        {"label list of addresses", ".lbl", "lbl", [trailer](const QString& p, qint64 n) {
             return writeFile(
                 p, n, {},
                 [](QByteArray& out) { out += "Ann Lee\t12 High Street\tSpringfield\tAB1 2CD\n"; },
                 trailer);
         }});
    all.push_back(
        {"label list of one-letter labels", ".lbl", "lbl", [trailer](const QString& p, qint64 n) {
             return writeFile(
                 p, n, {}, [](QByteArray& out) { out += "a\n"; }, trailer);
         }});
    all.push_back({"plain text of addresses", "plain text", "txt", [](const QString& p, qint64 n) {
                       return writeFile(p, n, {},
                                        [](QByteArray& out) {
                                            out +=
                                                "Ann Lee\n12 High Street\nSpringfield AB1 2CD\n\n";
                                        },
                                        {});
                   }});
    return all;
}

// Sizes that give just under the 1,000,000 rows, cards or labels a reader takes, where that
// limit is what refuses the 200 MB file: the largest files of each shape that are read.
double underLimitMb(const QString& name) {
    static const std::map<QString, double> sizes = {
        {QStringLiteral("export CSV"), 94},
        {QStringLiteral("a,,,,,,,,a rows"), 10.4},
        {QStringLiteral("commas and line ends"), 1.35},
        {QStringLiteral("line ends only"), 0.95},
        {QStringLiteral("bytes 80-FF (Windows-1252)"), 126},
        {QStringLiteral("export CSV in UTF-16"), 185},
        {QStringLiteral("tiny vCards"), 28.5},
        {QStringLiteral("label list of addresses"), 41},
        {QStringLiteral("label list of one-letter labels"), 1.9},
        {QStringLiteral("plain text of addresses"), 40},
    };
    const auto it = sizes.find(name);
    return it == sizes.end() ? 0 : it->second;
}

long statusKb(const char* field) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(static_cast<qsizetype>(std::strlen(field)))
                .trimmed()
                .split(' ')[0]
                .toLong();
    }
    return 0;
}

QString firstLine(QString s) {
    s = s.section(QLatin1Char('\n'), 0, 0);
    return s.size() > 90 ? s.left(87) + QStringLiteral("...") : s;
}

// Answers every message with OK and keeps their texts.
class RecordingPrompt : public Prompt {
public:
    QString last;
    Answer message(const QString& text, const QString&, Buttons, Icon) override {
        last = last.isEmpty() ? firstLine(text) : last + QStringLiteral(" / ") + firstLine(text);
        return Answer::Ok;
    }
    std::optional<QString> openFile(const FileRequest&) override { return std::nullopt; }
    std::optional<QString> saveFile(const FileRequest&) override { return std::nullopt; }
    std::optional<QRgb> chooseColour(QRgb) override { return std::nullopt; }
    bool choosePrinter(QPrinter&) override { return false; }
};

// With BENCH_PHASES set, the peak so far at each step of the window's path goes to stderr.
void phase(const char* step) {
    if (qEnvironmentVariableIsSet("BENCH_PHASES"))
        std::fprintf(stderr, "  %-16s VmRSS %ld MB, VmHWM %ld MB\n", step,
                     statusKb("VmRSS:") / 1024, statusKb("VmHWM:") / 1024);
}

// Runs in the child: reads the file by one path and writes "outcome|milliseconds|kB" to fd.
enum class Path { Window, AddressBook, PrintTool };

void readInChild(const Case& c, const QString& path, Path how, int fd) {
    QElapsedTimer timer;
    QString outcome;
    long baseKb = 0;
    // Settings of a fresh user: no contact list or label list is opened at start, nor one
    // that an earlier case's window left in the settings.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    qputenv("XDG_DATA_HOME", config.path().toUtf8());
    if (how != Path::PrintTool) {
        int argc = 1;
        char arg0[] = "bench_readers";
        char* argv[] = {arg0, nullptr};
        QApplication app(argc, argv);
        QtSettingsStore store;
        CQuillmarkDlg dlg(store);
        dlg.OnInitDialog();
        dlg.show();
        QApplication::processEvents();
        RecordingPrompt recorder;
        setPrompt(&recorder);
        int tableRows = -1;
        DialogRunner::setHook([&](QDialog& d) {
            auto& importDlg = dynamic_cast<ImportCSVDlg&>(d);
            importDlg.show();
            QApplication::processEvents();
            tableRows = importDlg.model().rowCount();
            phase("table shown");
            importDlg.control<QPushButton>(ImportCSVDlg::ImportButton)->click();
            phase("Import clicked");
            return importDlg.QDialog::result();
        });
        baseKb = statusKb("VmHWM:");
        phase("before");
        timer.start();
        if (std::strcmp(c.reader, ".lbl") == 0) {
            dlg.labelFileName = path;
            const bool ok = dlg.labelList->LoadLabelFile();
            outcome = QStringLiteral("%1 labels%2")
                          .arg(dlg.labelList->labels.GetSize())
                          .arg(ok ? QString() : QStringLiteral("; ") + recorder.last);
        } else {
            QString name = path;
            std::uint8_t source = ContactSource::kFile;
            if (how == Path::AddressBook) {
                // The file is the folder's only vCard file.
                AddressBookReader::StoreFolder(store, QFileInfo(path).absolutePath());
                source = ContactSource::kWindowsContacts;
            }
            const bool ok = dlg.contactsPane->LoadContacts(source, name);
            phase("pane filled");
            QApplication::processEvents();
            outcome = QStringLiteral("%1 contacts").arg(dlg.contactList.contacts.GetSize());
            if (tableRows >= 0)
                outcome += QStringLiteral(", table of %1 rows").arg(tableRows);
            if (!recorder.last.isEmpty() || !ok)
                outcome += QStringLiteral("; ") + recorder.last;
        }
    } else {
        RecordingPrompt recorder;
        setPrompt(&recorder);
        baseKb = statusKb("VmHWM:");
        timer.start();
        const LabelInput::Result r = LabelInput::readFile(path);
        outcome = r.ok() ? QStringLiteral("%1 labels").arg(r.labels.size()) : firstLine(r.error);
        if (!recorder.last.isEmpty())
            outcome += QStringLiteral("; ") + recorder.last;
    }
    const qint64 ms = timer.elapsed();
    const long grownKb = statusKb("VmHWM:") - baseKb;
    const QByteArray line = outcome.toUtf8() + '|' + QByteArray::number(ms) + '|' +
                            QByteArray::number(qint64(grownKb)) + '\n';
    (void)!write(fd, line.constData(), static_cast<size_t>(line.size()));
}

void runCase(const Case& c, const QString& path, qint64 size, Path how) {
    int fds[2];
    if (pipe(fds) != 0)
        return;
    std::fflush(stdout);
    QElapsedTimer wall;
    wall.start();
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        rlimit as{kAddressLimit, kAddressLimit};
        setrlimit(RLIMIT_AS, &as);
        alarm(kTimeLimitSeconds);
        readInChild(c, path, how, fds[1]);
        close(fds[1]);
        _exit(0);
    }
    close(fds[1]);
    QByteArray answer;
    char buf[4096];
    for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;)
        answer.append(buf, n);
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    rusage usage{};
    const char* path_ = how == Path::Window ? "gui" : how == Path::AddressBook ? "book" : "print";
    QByteArray outcome;
    double seconds = wall.elapsed() / 1000.0;
    double mb = -1;
    // The outcome may hold a '|' of its own; the figures are the last two fields.
    const QByteArray line = answer.trimmed();
    const qsizetype second = line.lastIndexOf('|');
    const qsizetype first = second > 0 ? line.lastIndexOf('|', second - 1) : -1;
    if (first >= 0) {
        outcome = line.left(first);
        seconds = line.mid(first + 1, second - first - 1).toDouble() / 1000.0;
        mb = line.mid(second + 1).toDouble() / 1024.0;
    } else if (WIFSIGNALED(status)) {
        const int sig = WTERMSIG(status);
        outcome = sig == SIGALRM   ? QByteArray("stopped: over the time limit")
                  : sig == SIGABRT ? QByteArray("ended: out of memory (abort at the limit)")
                                   : "killed by signal " + QByteArray::number(sig);
    } else {
        outcome = "ended with status " + QByteArray::number(WEXITSTATUS(status));
    }
    (void)usage;
    const double fileMb = size / 1048576.0;
    if (mb >= 0)
        std::printf("%-12s %-32s %-5s %7.1f MB  %7.1f s  %8.1f MB  %5.2f x  %s\n", c.reader, c.name,
                    path_, fileMb, seconds, mb, mb / fileMb, outcome.constData());
    else
        std::printf("%-12s %-32s %-5s %7.1f MB  %7.1f s  %8s     %5s    %s\n", c.reader, c.name,
                    path_, fileMb, seconds, "-", "-", outcome.constData());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    Pause::setEnabled(false);
    const bool limits = argc > 1 && std::strcmp(argv[1], "limits") == 0;
    const qint64 size = (argc > 1 && !limits ? std::atoll(argv[1]) : 200) * 1024 * 1024;
    const QString filter = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();

    std::printf("%-12s %-32s %-5s %10s  %9s  %11s  %7s  %s\n", "reader", "case", "path", "file",
                "time", "peak growth", "x file", "outcome");
    for (const Case& c : cases()) {
        if (!filter.isEmpty() && !QString::fromUtf8(c.name).contains(filter) &&
            !QString::fromUtf8(c.reader).contains(filter))
            continue;
        const QString path = home.path() + QStringLiteral("/case.") + QLatin1String(c.suffix);
        const double under = underLimitMb(QString::fromUtf8(c.name));
        if (limits && under == 0)
            continue;
        const qint64 written = c.make(path, limits ? qint64(under * 1048576) : size);
        if (written < 0) {
            std::printf("%s: cannot write %s\n", c.name, qPrintable(path));
            continue;
        }
        runCase(c, path, written, Path::Window);
        if (std::strcmp(c.reader, "vCard") == 0)
            runCase(c, path, written, Path::AddressBook);
        runCase(c, path, written, Path::PrintTool);
        QFile::remove(path);
    }
    return 0;
}
