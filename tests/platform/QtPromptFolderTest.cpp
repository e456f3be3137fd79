#include "platform/ui/QtPrompt.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Acts on the folder dialog once it is up, as the user would.
void whenDialogShows(std::function<void(QFileDialog&)> act) {
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        act(*dialog);
    });
    timer->start();
}

} // namespace

// The address book folder is chosen in Qt's own folder dialog: it starts where it is told,
// shows folders only, and Cancel gives nothing.
TEST(QtPrompt, FolderChooserIsTheRealFolderDialog) {
    QTemporaryDir home;
    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("Cards/Family")));
    const QString start = home.path() + QStringLiteral("/Cards");
    const QString family = start + QStringLiteral("/Family");
    QtPrompt prompt;

    QString startSeen;
    bool foldersOnly = false;
    whenDialogShows([&](QFileDialog& dialog) {
        startSeen = dialog.directory().absolutePath();
        foldersOnly = dialog.fileMode() == QFileDialog::Directory;
        // Going into the folder and choosing it, which does not wait for the folder list.
        dialog.setDirectory(family);
        static_cast<QDialog&>(dialog).accept(); // as the Choose button does
    });
    const auto chosen =
        prompt.chooseFolder(QStringLiteral("Choose the address book folder"), start);
    EXPECT_EQ(startSeen, start);
    EXPECT_TRUE(foldersOnly);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(QDir(*chosen).absolutePath(), family);

    whenDialogShows([](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_FALSE(prompt.chooseFolder(QStringLiteral("Choose the address book folder"), start));
}
