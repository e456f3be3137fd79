#pragma once

#include "MemorySettingsStore.h"
#include "ScriptedPrompt.h"
#include "mainwindow/CQuillmarkDlg.h"

#include <QDir>
#include <QPixmap>
#include <memory>

// A main window on in-memory settings and a scripted prompt, opened as start-up opens it.
struct MainWindowHarness {
    MemorySettingsStore store;
    ScriptedPrompt prompt;
    std::unique_ptr<CQuillmarkDlg> dlg;

    CQuillmarkDlg& open(const QString& contactFile = {}, const QString& labelFile = {}) {
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
