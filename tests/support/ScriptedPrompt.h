#pragma once

#include "platform/Prompt.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

// A prompt that answers from a script and records everything shown, so that tests check
// the exact texts, captions, buttons and icons. Installs itself for its lifetime.
class ScriptedPrompt : public Prompt {
public:
    struct Shown {
        QString text;
        QString caption;
        Buttons buttons;
        Icon icon;
    };

    ScriptedPrompt();
    ~ScriptedPrompt() override;

    // Answers for the coming message boxes, in order; when they run out a box gets OK,
    // Cancel or No (whichever it offers first of those).
    void answer(Answer a) { answers.push_back(a); }
    // The coming open/save dialogs return these paths; nullopt stands for Cancel.
    void openWith(std::optional<QString> path) { openPaths.push_back(std::move(path)); }
    void saveWith(std::optional<QString> path) { savePaths.push_back(std::move(path)); }
    void colourWith(std::optional<QRgb> c) { colours.push_back(c); }
    // The coming folder choosers return these folders; nullopt stands for Cancel.
    void folderWith(std::optional<QString> path) { folders.push_back(std::move(path)); }
    // Called for the print dialog; sets the printer up (e.g. to a PDF file) and returns
    // whether the user pressed Print. Without it the dialog is cancelled.
    std::function<bool(QPrinter&)> onPrinter;

    Answer message(const QString& text, const QString& caption, Buttons buttons,
                   Icon icon) override;
    std::optional<QString> openFile(const FileRequest& request) override;
    std::optional<QString> saveFile(const FileRequest& request) override;
    std::optional<QRgb> chooseColour(QRgb initial) override;
    bool choosePrinter(QPrinter& printer) override;
    std::optional<QString> chooseFolder(const QString& caption, const QString& start) override;

    std::vector<Shown> shown;
    std::vector<FileRequest> fileRequests;
    int printDialogs = 0;
    struct FolderRequest {
        QString caption;
        QString start;
    };
    std::vector<FolderRequest> folderRequests;

    QStringList texts() const;

private:
    std::deque<Answer> answers;
    std::deque<std::optional<QString>> openPaths;
    std::deque<std::optional<QString>> savePaths;
    std::deque<std::optional<QRgb>> colours;
    std::deque<std::optional<QString>> folders;
};
