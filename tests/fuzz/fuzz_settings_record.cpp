// The stored settings record: any stored value overlays the record, and the record written
// back reads as the same record.
#include "FuzzSupport.h"

#include "app/Settings.h"
#include "support/MemorySettingsStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemorySettingsStore store;
    store.values[QStringLiteral("Preferences")] = Fuzz::bytes(data, size);
    Settings scratch;
    SetDefaultSettings(scratch);
    QString contactFile;
    FUZZ_CHECK(LoadSettings(store, scratch, contactFile));
    ApplyUpgradeRules(scratch.prefs);

    MemorySettingsStore saved;
    SaveSettings(saved, scratch, contactFile);
    const auto record = saved.readBinary(QStringLiteral("Preferences"));
    FUZZ_CHECK(record && record->size() == LabelPreferences::kSize);
    Settings reread;
    QString contactFile2;
    FUZZ_CHECK(LoadSettings(saved, reread, contactFile2));
    FUZZ_CHECK(reread.prefs == scratch.prefs);
    FUZZ_CHECK(reread.fontName == scratch.fontName && reread.labelName == scratch.labelName);

    // The leading bytes the value holds are the record's bytes, but for the fill bytes
    // between fields, which are always written as zero.
    static const LabelPreferences::Bytes fields = [] {
        const LabelPreferences::Bytes ones = [] {
            LabelPreferences::Bytes b;
            b.fill(0xFF);
            return b;
        }();
        LabelPreferences all;
        all.overlay(ones.data(), ones.size());
        return all.toBytes();
    }();
    LabelPreferences fresh;
    fresh.overlay(data, size);
    const auto overlaid = fresh.toBytes();
    for (std::size_t i = 0; i < size && i < overlaid.size(); ++i)
        FUZZ_CHECK(overlaid[i] == (fields[i] != 0 ? data[i] : 0));
    return 0;
}
