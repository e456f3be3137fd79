// Times what a user waits for with a large contact list: opening a 5,000-contact file into
// the contacts pane, then toggling "Sort by Last Name" and "Hide if no address".
// Usage: bench_pane [contacts]
#include "mainwindow/CQuillmarkDlg.h"
#include "mainwindow/ContactsPane.h"
#include "mainwindow/ControlIds.h"
#include "platform/Pause.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <random>

namespace {

QByteArray contactFile(int count) {
    static const char* first[] = {"Ann", "Bob", "Carla", "Dev", "Emma", "Farid", "Grace", "Hugo"};
    static const char* last[] = {"Lee",      "Smith", "O'Neill", "Nguyen", "Brown",
                                 "Kowalski", "Patel", "Young",   "Adams",  "Zhang"};
    std::mt19937 rng(7);
    QByteArray out = "|QMK|\tCreated\twith\tQuillmark\r\n";
    for (int i = 0; i < count; ++i) {
        out += QByteArray("Mr ") + first[rng() % 8] + " " + last[rng() % 10];
        if (rng() % 4 != 0) // three in four have an address
            out +=
                "\t" + QByteArray::number(int(rng() % 300)) + " High Street\tSpringfield\tAB1 2CD";
        out += "\r\n";
    }
    return out;
}

double ms(QElapsedTimer& t) {
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    Pause::setEnabled(false);
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 5000;

    const QString path = home.path() + QStringLiteral("/contacts.csv");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(contactFile(count));
    f.close();

    QtSettingsStore store;
    CQuillmarkDlg dlg(store);
    dlg.OnInitDialog();
    dlg.show();
    QApplication::processEvents();

    QElapsedTimer t;
    t.start();
    QString name = path;
    dlg.contactsPane->LoadContacts(ContactSource::kFile, name);
    QApplication::processEvents();
    std::printf("open %d contacts and fill the pane: %8.1f ms\n", count, ms(t));

    for (int round = 0; round < 2; ++round) {
        t.restart();
        dlg.runCommand(Id::SortContactsByLastName);
        QApplication::processEvents();
        std::printf("toggle Sort by Last Name:           %8.1f ms\n", ms(t));
        t.restart();
        dlg.control<QCheckBox>(Id::HideIfNoAddress)->click();
        QApplication::processEvents();
        std::printf("toggle Hide if no address:          %8.1f ms (%d shown)\n", ms(t),
                    dlg.contactsShown);
    }
    dlg.reject();
    return 0;
}
