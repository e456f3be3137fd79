#pragma once

#include "platform/Prompt.h"

#include <QByteArray>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

// What every fuzz target shares: the input as Qt bytes, a prompt that answers every message
// with OK (readers report bad files through it), and a check that ends the run on a broken
// invariant so libFuzzer keeps the input that broke it.
namespace Fuzz {

inline QByteArray bytes(const std::uint8_t* data, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

inline std::string_view view(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

class SilentPrompt : public Prompt {
public:
    Answer message(const QString&, const QString&, Buttons buttons, Icon) override {
        ++messages;
        return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::No
                                                                            : Answer::Ok;
    }
    std::optional<QString> openFile(const FileRequest&) override { return std::nullopt; }
    std::optional<QString> saveFile(const FileRequest&) override { return std::nullopt; }
    std::optional<QRgb> chooseColour(QRgb) override { return std::nullopt; }
    bool choosePrinter(QPrinter&) override { return false; }

    int messages = 0;
};

// Installs the silent prompt for the whole run; call at the top of each input.
inline SilentPrompt& silence() {
    static SilentPrompt p;
    setPrompt(&p);
    return p;
}

[[noreturn]] inline void fail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, what);
    std::abort();
}

} // namespace Fuzz

#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond))                                                                               \
            Fuzz::fail(#cond, __FILE__, __LINE__);                                                 \
    } while (0)
