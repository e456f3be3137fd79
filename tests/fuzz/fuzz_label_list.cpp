// Label list files (.lbl): labels, end line and settings trailer; a list saved and reopened
// gives the same labels and settings.
#include "FuzzSupport.h"

#include "app/LabelListFile.h"

namespace {

// What saving and reopening makes of labels: every line break survives, a label's last
// comma is dropped (as the file format always has), and empty labels are not written.
std::vector<std::string> afterSaving(const CSortStrArray& labels) {
    std::vector<std::string> out;
    for (const std::string& label : labels) {
        if (label.empty())
            continue;
        std::string line;
        for (std::size_t i = 0; i < label.size(); ++i) {
            if (label[i] == '\r' && i + 1 < label.size() && label[i + 1] == '\n') {
                line += '\t';
                ++i;
            } else {
                line += label[i];
            }
        }
        if (!line.empty() && line.back() == ',')
            line.pop_back();
        std::string back;
        for (const char c : line) {
            if (c == '\t')
                back += "\r\n";
            else
                back += c;
        }
        out.push_back(std::move(back));
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Fuzz::silence();
    CSortStrArray labels;
    LabelPreferences prefs;
    std::string face;
    const LabelListFile::ReadResult read =
        LabelListFile::read(Fuzz::bytes(data, size), labels, prefs, face);
    FUZZ_CHECK(read.labelsRead == labels.GetSize());
    FUZZ_CHECK(!read.marginRead || read.trailerRead);

    // Labels with the end-line text in them cannot be stored; the program refuses to save them.
    if (LabelListFile::unstorableLabel(labels) != 0)
        return 0;
    const QByteArray saved = LabelListFile::write(labels, prefs, face);
    CSortStrArray labels2;
    LabelPreferences prefs2;
    prefs2.margin = static_cast<std::uint8_t>(prefs.margin + 1); // must be overwritten
    std::string face2;
    const LabelListFile::ReadResult again = LabelListFile::read(saved, labels2, prefs2, face2);
    FUZZ_CHECK(again.ok() && again.marginRead);
    FUZZ_CHECK(labels2.Strings() == afterSaving(labels));
    FUZZ_CHECK(prefs2.geometry == prefs.geometry);
    FUZZ_CHECK(prefs2.maxFontSize == prefs.maxFontSize && prefs2.alignment == prefs.alignment);
    FUZZ_CHECK(prefs2.margin == prefs.margin);
    FUZZ_CHECK(prefs2.italic == prefs.italic && prefs2.bold == prefs.bold);
    FUZZ_CHECK(face2 == face);
    return 0;
}
