#include "ScriptedPrompt.h"

ScriptedPrompt::ScriptedPrompt() {
    setPrompt(this);
}

ScriptedPrompt::~ScriptedPrompt() {
    setPrompt(nullptr);
}

Prompt::Answer ScriptedPrompt::message(const QString& text, const QString& caption, Buttons buttons,
                                       Icon icon) {
    shown.push_back({text, caption, buttons, icon});
    if (!answers.empty()) {
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    switch (buttons) {
    case Buttons::Ok:
    case Buttons::OkCancel:
        return Answer::Ok;
    case Buttons::YesNo:
        return Answer::No;
    case Buttons::YesNoCancel:
        return Answer::Cancel;
    }
    return Answer::Cancel;
}

std::optional<QString> ScriptedPrompt::openFile(const FileRequest& request) {
    fileRequests.push_back(request);
    if (openPaths.empty())
        return std::nullopt;
    std::optional<QString> p;
    p.swap(openPaths.front());
    openPaths.pop_front();
    return p;
}

std::optional<QString> ScriptedPrompt::saveFile(const FileRequest& request) {
    fileRequests.push_back(request);
    if (savePaths.empty())
        return std::nullopt;
    std::optional<QString> p;
    p.swap(savePaths.front());
    savePaths.pop_front();
    return p;
}

std::optional<QRgb> ScriptedPrompt::chooseColour(QRgb) {
    if (colours.empty())
        return std::nullopt;
    auto c = colours.front();
    colours.pop_front();
    return c;
}

bool ScriptedPrompt::choosePrinter(QPrinter& printer) {
    ++printDialogs;
    return onPrinter ? onPrinter(printer) : false;
}

std::optional<QString> ScriptedPrompt::chooseFolder(const QString& caption, const QString& start) {
    folderRequests.push_back({caption, start});
    if (folders.empty())
        return std::nullopt;
    std::optional<QString> p;
    p.swap(folders.front());
    folders.pop_front();
    return p;
}

QStringList ScriptedPrompt::texts() const {
    QStringList out;
    for (const Shown& s : shown)
        out << s.text;
    return out;
}
