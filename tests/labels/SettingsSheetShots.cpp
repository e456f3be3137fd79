// Pictures of the settings sheet's pages for looking at, written when QM_SHOTS_DIR names a
// folder: QM_SHOTS_DIR=/tmp/shots test_labels --gtest_filter='SettingsSheetShots.*'
#include "ScriptedPrompt.h"
#include "labels/LabelPreferences.h"
#include "labels/ui/CDimensionsPP.h"
#include "labels/ui/CFontsPP.h"
#include "labels/ui/CSettingsSheet.h"
#include "platform/ui/DialogRunner.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

TEST(SettingsSheetShots, EveryPage) {
    const QString dir = qEnvironmentVariable("QM_SHOTS_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "QM_SHOTS_DIR not set";
    QDir().mkpath(dir);
    ScriptedPrompt p;
    CSettingsSheet sheet;
    LabelPreferences prefs;
    prefs.textColour = 0x800000;
    sheet.setFormat(prefs, QStringLiteral("DejaVu Serif"), QStringLiteral("Default 2X8 label"));
    sheet.setLabels({"Mr Tobias Grant\r\n12 Mill Lane\r\nLower Upton\r\nHereford\r\nHR1 4DD",
                     "Dr Jane Okafor\r\nThe Surgery\r\nHigh Street\r\nLedbury\r\nHR8 1AA"},
                    1);
    sheet.addPage(new QWidget, QStringLiteral("Categories and more"));
    DialogRunner::setHook([&](QDialog& d) {
        d.show();
        QTest::qWait(50);
        EXPECT_TRUE(sheet.grab().save(dir + QStringLiteral("/sheet-fonts.png")));
        sheet.tabs().setCurrentIndex(1);
        QTest::qWait(50);
        EXPECT_TRUE(sheet.grab().save(dir + QStringLiteral("/sheet-dimensions.png")));
        // A 3 x 10 grid, and a grid that runs past the bottom of the sheet.
        auto& dims = sheet.dimensionsPage();
        const auto set = [&](const char* caption, const char* text) {
            for (QLabel* l : dims.findChildren<QLabel*>())
                if (l->text() == QLatin1String(caption))
                    qobject_cast<QLineEdit*>(l->buddy())->setText(QLatin1String(text));
        };
        set("Label width (mm)", "70");
        set("Label height (mm)", "25");
        set("Vertical gutter (mm)", "0");
        set("Side margins (mm)", "0");
        set("Number across", "3");
        set("Number down", "10");
        EXPECT_TRUE(sheet.grab().save(dir + QStringLiteral("/sheet-dimensions-3x10.png")));
        set("Number down", "14");
        EXPECT_TRUE(sheet.grab().save(dir + QStringLiteral("/sheet-dimensions-tall.png")));
        set("Label width (mm)", "190");
        set("Number across", "1");
        sheet.tabs().setCurrentIndex(0);
        QTest::qWait(50);
        EXPECT_TRUE(sheet.grab().save(dir + QStringLiteral("/sheet-fonts-reduced.png")));
        sheet.tabs().setCurrentIndex(2);
        EXPECT_TRUE(sheet.grab().save(dir + QStringLiteral("/sheet-third.png")));
        sheet.pressCancel();
        return d.result();
    });
    sheet.run();
    DialogRunner::setHook({});
    EXPECT_TRUE(p.shown.empty()) << p.texts().join('|').toStdString();
}
