#pragma once

#include <QRgb>
#include <QString>
#include <optional>

class QPrinter;

// Every message box and common dialog the program shows goes through one Prompt, so that
// tests can script the user's answers and check the exact texts shown.
class Prompt {
public:
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Icon { None, Information, Warning, Question, Error };
    enum class Answer { Ok, Cancel, Yes, No };

    // A file dialog request; the filter uses the "Text (*.ext)|*.ext||" form of the program's
    // texts and is converted by the implementation.
    struct FileRequest {
        QString filter;
        QString defaultExtension;
        QString initialName;
        QString directory;
        QString caption;
    };

    virtual ~Prompt() = default;
    virtual Answer message(const QString& text, const QString& caption, Buttons buttons,
                           Icon icon) = 0;
    virtual std::optional<QString> openFile(const FileRequest& request) = 0;
    virtual std::optional<QString> saveFile(const FileRequest& request) = 0;
    virtual std::optional<QRgb> chooseColour(QRgb initial) = 0;
    // Lets the user pick and set up a printer; false when cancelled.
    virtual bool choosePrinter(QPrinter& printer) = 0;
    // Lets the user pick an existing folder, starting at start; nullopt when cancelled. A
    // prompt that cannot show one answers as cancelled.
    virtual std::optional<QString> chooseFolder(const QString& caption, const QString& start) {
        (void)caption;
        (void)start;
        return std::nullopt;
    }
};

inline const QString kAppCaption = QStringLiteral("Quillmark");

// The prompt in use; the program installs the Qt one at start, tests install a scripted one.
Prompt& prompt();
void setPrompt(Prompt* p);

// The common case: a message with the program's caption and an OK button.
Prompt::Answer showMessage(const QString& text, const QString& caption = kAppCaption,
                           Prompt::Buttons buttons = Prompt::Buttons::Ok,
                           Prompt::Icon icon = Prompt::Icon::None);
