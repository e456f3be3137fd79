#pragma once

#include "MemorySettingsStore.h"
#include "ScriptedPrompt.h"
#include "mainwindow/CQuillmarkDlg.h"

#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <memory>

// A main window on in-memory settings and a scripted prompt, opened as start-up opens it.
// Unless a test names one, the address book folder is a missing folder of its own, so the
// user's real ~/Contacts never gets into a test.
struct MainWindowHarness {
    MemorySettingsStore store;
    ScriptedPrompt prompt;
    QTemporaryDir home;
    std::unique_ptr<CQuillmarkDlg> dlg;

    QString addressBookFolder() const { return home.path() + QStringLiteral("/Contacts"); }

    CQuillmarkDlg& open(const QString& contactFile = {}, const QString& labelFile = {}) {
        if (!store.values.contains(QStringLiteral("AddressBookFolder")))
            store.values[QStringLiteral("AddressBookFolder")] = addressBookFolder();
        dlg = std::make_unique<CQuillmarkDlg>(store);
        dlg->contactList.contactFileName = contactFile;
        dlg->labelFileName = labelFile;
        dlg->OnInitDialog();
        return *dlg;
    }

    // Saves a picture of the window when QM_SHOTS names a folder, for looking at by eye.
    void shoot(const QString& name) const {
        const QString dir = qEnvironmentVariable("QM_SHOTS");
        if (!dir.isEmpty() && dlg)
            dlg->grab().save(QDir(dir).filePath(name + QStringLiteral(".png")));
    }
};
