#pragma once

#include "platform/Prompt.h"

#include <QPointer>
#include <QWidget>
#include <functional>

// The program's prompt: Qt message boxes and the standard file, colour and print dialogs.
class QtPrompt : public Prompt {
public:
    Answer message(const QString& text, const QString& caption, Buttons buttons,
                   Icon icon) override;
    std::optional<QString> openFile(const FileRequest& request) override;
    std::optional<QString> saveFile(const FileRequest& request) override;
    std::optional<QRgb> chooseColour(QRgb initial) override;
    bool choosePrinter(QPrinter& printer) override;
    std::optional<QString> chooseFolder(const QString& caption, const QString& start) override;

    // "CSV Files (*.csv)|*.csv|TSV Files (*.tsv)|*.tsv||" to Qt's ";;"-separated form.
    static QString qtFilter(const QString& filter);

    // Runs before every dialog and message box; the program hides its splash window there,
    // so that no question lies hidden under it.
    std::function<void()> beforeShowing;
    // Owns the dialogs while no window of the program is active (during start-up).
    void setFallbackOwner(QWidget* window) { fallbackOwner = window; }

private:
    QWidget* owner();

    QPointer<QWidget> fallbackOwner;
};
