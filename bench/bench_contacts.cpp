// Reading a 5,000-contact file and sorting it both ways, as every refresh of the contacts
// pane does. Prints milliseconds.
#include "contacts/CCSVFile.h"
#include "contacts/CSortStrArray.h"
#include "platform/Prompt.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <random>

namespace {

QByteArray makeFile(int count) {
    static const char* first[] = {"Ann", "Bob", "Cy", "Dora", "Eve", "Finn", "Gus", "Hal"};
    static const char* last[] = {"Lee", "Smith", "Jones", "Brown", "Moore", "Taylor", "Clark"};
    static const char* towns[] = {"Springfield", "Shelbyville", "Ogdenville", "Brockway"};
    std::mt19937 rng(5000);
    QByteArray out = CCSVFile::kHeaderLine;
    for (int i = 0; i < count; ++i) {
        out += QByteArray("Mr ") + first[rng() % 8] + ' ' + last[rng() % 7] + '\t' +
               QByteArray::number(static_cast<int>(rng() % 999) + 1) + " Main Street\t" +
               towns[rng() % 4] + "\tIL\t" + QByteArray::number(60000 + i) + "\r\n";
    }
    return out;
}

// The 5,000th contact brings the limit message; it is expected here and not shown.
class QuietPrompt : public Prompt {
public:
    Answer message(const QString&, const QString&, Buttons, Icon) override { return Answer::Ok; }
    std::optional<QString> openFile(const FileRequest&) override { return std::nullopt; }
    std::optional<QString> saveFile(const FileRequest&) override { return std::nullopt; }
    std::optional<QRgb> chooseColour(QRgb) override { return std::nullopt; }
    bool choosePrinter(QPrinter&) override { return false; }
};

template <typename F> double timeMs(F&& f, int repeats) {
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < repeats; ++i)
        f();
    return static_cast<double>(t.nsecsElapsed()) / 1e6 / repeats;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QuietPrompt quiet;
    setPrompt(&quiet);
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/contacts.csv");
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(makeFile(5000)) < 0)
            return 1;
    }

    CSortStrArray list;
    const double readMs = timeMs(
        [&] {
            list.RemoveAll();
            QString name = path;
            bool imported = false;
            if (!ReadContactFile(name, list, false, nullptr, imported))
                std::fprintf(stderr, "read failed\n");
        },
        20);
    std::printf("read %d contacts: %.2f ms\n", list.GetSize(), readMs);

    for (const int byLastName : {0, 1}) {
        CSortStrArray unsorted = list;
        unsorted.SetLastNameFlag(byLastName);
        const double firstMs = timeMs(
            [&] {
                CSortStrArray copy = unsorted;
                copy.Sort();
            },
            20);
        CSortStrArray sorted = unsorted;
        sorted.Sort();
        const double againMs = timeMs([&] { sorted.Sort(); }, 20);
        std::printf("sort %s: %.2f ms unsorted, %.2f ms already sorted\n",
                    byLastName ? "by last name" : "by whole text", firstMs, againMs);
    }
    return 0;
}
