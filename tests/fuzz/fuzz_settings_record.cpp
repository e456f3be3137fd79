// The stored settings record: any stored value overlays the record, and the record written
// back reads as the same record.
#include "FuzzSupport.h"

#include "MemorySettingsStore.h"
#include "app/Settings.h"

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

    // The leading bytes the value holds are the record's bytes.
    const auto bytes = scratch.prefs.toBytes();
    LabelPreferences fresh;
    fresh.overlay(data, size);
    const auto overlaid = fresh.toBytes();
    for (std::size_t i = 0; i < size && i < bytes.size(); ++i)
        FUZZ_CHECK(overlaid[i] == data[i]);
    return 0;
}
