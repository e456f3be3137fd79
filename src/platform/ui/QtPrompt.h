#pragma once

#include "platform/Prompt.h"

class QWidget;

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
};
