// The inputs of quillmark-print: plain text, label lists and contact lists, each from bytes.
#include "FuzzSupport.h"

#include "app/LabelInput.h"
#include "platform/Text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Fuzz::silence();
    const QByteArray input = Fuzz::bytes(data, size);
    for (const LabelInput::Format& format : LabelInput::formats()) {
        const LabelInput::Result r = format.reader(input, QStringLiteral("fuzz"));
        FUZZ_CHECK(r.ok() || r.labels.empty());
        // A label list may hold empty labels (they leave their position blank); paragraphs
        // and contacts never give one.
        const bool labelList = format.suffixes.contains(QStringLiteral("lbl"));
        for (const std::string& label : r.labels) {
            FUZZ_CHECK(labelList || !label.empty());
            FUZZ_CHECK(Text::isValidUtf8(label));
        }
    }
    return 0;
}
