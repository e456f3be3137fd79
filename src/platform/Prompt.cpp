#include "platform/Prompt.h"

#include <cstdio>

namespace {

// Used when nothing was installed (a headless tool): messages go to standard error and
// every question is answered as cancelled, so nothing is done without a user.
class StderrPrompt : public Prompt {
public:
    Answer message(const QString& text, const QString& caption, Buttons buttons, Icon) override {
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
    std::optional<QString> openFile(const FileRequest&) override { return std::nullopt; }
    std::optional<QString> saveFile(const FileRequest&) override { return std::nullopt; }
    std::optional<QRgb> chooseColour(QRgb) override { return std::nullopt; }
    bool choosePrinter(QPrinter&) override { return false; }
};

StderrPrompt stderrPrompt;
Prompt* current = nullptr;

} // namespace

Prompt& prompt() {
    return current ? *current : stderrPrompt;
}

void setPrompt(Prompt* p) {
    current = p;
}

Prompt::Answer showMessage(const QString& text, const QString& caption, Prompt::Buttons buttons,
                           Prompt::Icon icon) {
    return prompt().message(text, caption, buttons, icon);
}
