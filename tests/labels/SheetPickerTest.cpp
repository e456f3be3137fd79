#include "ScriptedPrompt.h"
#include "labels/SheetCatalogue.h"
#include "labels/SheetLibrary.h"
#include "labels/ui/CDimensionsPP.h"
#include "labels/ui/CPageView.h"
#include "labels/ui/CSettingsSheet.h"
#include "labels/ui/CSheetPickerDialog.h"
#include "labels/ui/SettingsPageIds.h"
#include "platform/ui/DialogRunner.h"

#include "labels/ui/SheetTableModel.h"
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

const std::vector<LabelSheet>& library() {
    return SheetLibrary::builtIn().sheets;
}

QString fieldText(CDimensionsPP& page, const char* caption) {
    for (QLabel* label : page.findChildren<QLabel*>())
        if (label->text() == QLatin1String(caption))
            return qobject_cast<QLineEdit*>(label->buddy())->text();
    ADD_FAILURE() << "no field " << caption;
    return {};
}

// Opens the settings sheet on the Dimensions page, presses "Choose sheet...", lets `pick`
// play the user in the picker, and closes the sheet with OK.
struct ChooseRun {
    LabelPreferences prefs;
    QString face = QStringLiteral("Times New Roman");
    QString name = QStringLiteral("My own sheet");
    QStringList fields; // the eight fields after the picker closed
    QString shownName;

    void run(const std::function<int(CSheetPickerDialog&)>& pick) {
        CSettingsSheet sheet;
        sheet.setFormat(prefs, face, name);
        sheet.setLabels({}, -1);
        sheet.setStartOnDimensions(true);
        DialogRunner::setHook([&](QDialog& d) {
            if (auto* picker = qobject_cast<CSheetPickerDialog*>(&d)) {
                picker->show();
                const int result = pick(*picker);
                picker->hide();
                return result;
            }
            d.show();
            CDimensionsPP& page = sheet.dimensionsPage();
            page.control<QPushButton>(DimensionsId::kChooseSheet)->click();
            for (const char* caption :
                 {"Top margin (mm)", "Side margins (mm)", "Label width (mm)", "Label height (mm)",
                  "Vertical gutter (mm)", "Horiz. gutter (mm)", "Number across", "Number down"})
                fields << fieldText(page, caption);
            shownName = page.control<QLabel>(DimensionsId::kLabelName)->text();
            sheet.pressOk();
            d.hide();
            return d.result();
        });
        const int result = sheet.run();
        DialogRunner::setHook({});
        ASSERT_EQ(result, QDialog::Accepted);
        sheet.writeBack(prefs, face, name);
    }
};

} // namespace

TEST(SheetPicker, SearchesByCodeLayoutAndPaper) {
    ScriptedPrompt p;
    CSheetPickerDialog picker(library());
    EXPECT_EQ(picker.model()->rowCount(), static_cast<int>(library().size()));
    EXPECT_EQ(picker.countText()->text(), QStringLiteral("%1 sheets").arg(library().size()));

    struct Case {
        const char* text;
        int paper; // 0 all, 1 A4, 2 US Letter
        std::function<bool(const LabelSheet&)> fits;
    };
    const Case cases[] = {
        {"L7160", 0, [](const LabelSheet& s) { return s.code() == QLatin1String("L7160"); }},
        {"3 x 7", 1, [](const LabelSheet& s) { return s.across == 3 && s.down == 7; }},
        {"30 per sheet", 2,
         [](const LabelSheet& s) {
             return s.perSheet() == 30 && s.paper == LabelSheet::Paper::Letter;
         }},
        {"", 1, [](const LabelSheet& s) { return s.paper == LabelSheet::Paper::A4; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        picker.paperBox()->setCurrentIndex(c.paper);
        picker.searchBox()->clear();
        QTest::keyClicks(picker.searchBox(), QString::fromLatin1(c.text));
        const auto shown = picker.shown();
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(picker.model()->rowCount(), static_cast<int>(shown.size()));
        for (const LabelSheet* s : shown)
            EXPECT_TRUE(c.fits(*s)) << s->title().toStdString();
        // A sheet is always chosen while any is shown (the one kept from before, or the
        // first), so OK right after typing takes it.
        EXPECT_NE(std::find(shown.begin(), shown.end(), picker.chosen()), shown.end());
        EXPECT_TRUE(picker.buttons()->button(QDialogButtonBox::Ok)->isEnabled());
    }
    EXPECT_EQ(picker.model()->index(0, 0).data().toString(),
              picker.shown().front()->codes.join(QStringLiteral(" / ")));

    // Clicking another row chooses it; nothing found leaves nothing to take.
    picker.searchBox()->clear();
    picker.paperBox()->setCurrentIndex(0);
    picker.list()->setCurrentIndex(picker.model()->index(3, 0));
    EXPECT_EQ(picker.chosen(), picker.shown()[3]);
    QTest::keyClicks(picker.searchBox(), QStringLiteral("zzz"));
    EXPECT_EQ(picker.model()->rowCount(), 0);
    EXPECT_EQ(picker.chosen(), nullptr);
    EXPECT_FALSE(picker.buttons()->button(QDialogButtonBox::Ok)->isEnabled());
    EXPECT_EQ(picker.countText()->text(), QStringLiteral("0 of %1 sheets").arg(library().size()));
    EXPECT_TRUE(p.shown.empty());
}

TEST(SheetPicker, OkFillsTheEightFieldsAndTheName) {
    ScriptedPrompt p;
    ChooseRun run;
    run.run([](CSheetPickerDialog& picker) {
        QTest::keyClicks(picker.searchBox(), QStringLiteral("L7160"));
        picker.buttons()->button(QDialogButtonBox::Ok)->click();
        return picker.result();
    });
    EXPECT_EQ(run.fields, (QStringList{"15.2", "7.2", "63.5", "38.1", "2.5", "0", "3", "7"}));
    const QString name = QStringLiteral("L7160 \u2014 63.5 \u00d7 38.1 mm, 3 \u00d7 7");
    EXPECT_EQ(run.shownName, name);
    EXPECT_EQ(run.name, name);
    EXPECT_EQ(run.prefs.geometry, (SheetGeometry{152, 72, 635, 381, 25, 0, 3, 7}));
    EXPECT_TRUE(p.shown.empty());
}

TEST(SheetPicker, CancelChangesNothing) {
    ScriptedPrompt p;
    ChooseRun run;
    run.prefs.geometry = SheetGeometry{100, 40, 700, 300, 10, 5, 2, 9};
    run.run([](CSheetPickerDialog& picker) {
        QTest::keyClicks(picker.searchBox(), QStringLiteral("5160"));
        picker.buttons()->button(QDialogButtonBox::Cancel)->click();
        return picker.result();
    });
    EXPECT_EQ(run.fields, (QStringList{"10", "4", "70", "30", "1", "0.5", "2", "9"}));
    EXPECT_EQ(run.shownName, QStringLiteral("My own sheet"));
    EXPECT_EQ(run.name, QStringLiteral("My own sheet"));
    EXPECT_EQ(run.prefs.geometry, (SheetGeometry{100, 40, 700, 300, 10, 5, 2, 9}));
}

// The picked name is the user's to edit: a change to a field marks it as any name is marked.
TEST(SheetPicker, PickedNameIsMarkedWhenAFieldIsEdited) {
    ScriptedPrompt p;
    CSettingsSheet sheet;
    sheet.setFormat(LabelPreferences{}, QStringLiteral("Times New Roman"), QStringLiteral("x"));
    sheet.setLabels({}, -1);
    sheet.setStartOnDimensions(true);
    QString after;
    DialogRunner::setHook([&](QDialog& d) {
        if (auto* picker = qobject_cast<CSheetPickerDialog*>(&d)) {
            QTest::keyClicks(picker->searchBox(), QStringLiteral("J8163"));
            picker->accept();
            return picker->result();
        }
        d.show();
        CDimensionsPP& page = sheet.dimensionsPage();
        page.control<QPushButton>(DimensionsId::kChooseSheet)->click();
        for (QLabel* label : page.findChildren<QLabel*>())
            if (label->text() == QLatin1String("Top margin (mm)"))
                qobject_cast<QLineEdit*>(label->buddy())->setText(QStringLiteral("15"));
        after = page.control<QLabel>(DimensionsId::kLabelName)->text();
        sheet.pressCancel();
        d.hide();
        return d.result();
    });
    sheet.run();
    DialogRunner::setHook({});
    EXPECT_EQ(after, QStringLiteral("L7163 \u2014 99.1 \u00d7 38.1 mm, 2 \u00d7 7*"));
}

// Pictures for looking at, written when QM_SHOTS_DIR names a folder.
TEST(SheetPickerShots, PickerAndDimensionsPage) {
    const QString dir = qEnvironmentVariable("QM_SHOTS_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "QM_SHOTS_DIR not set";
    QDir().mkpath(dir);
    ScriptedPrompt p;
    CSheetPickerDialog picker(library());
    picker.show();
    QTest::keyClicks(picker.searchBox(), QStringLiteral("3 x 7"));
    QTest::qWait(50);
    EXPECT_TRUE(picker.grab().save(dir + QStringLiteral("/sheet-picker.png")));
    picker.searchBox()->clear();
    picker.paperBox()->setCurrentIndex(2);
    QTest::keyClicks(picker.searchBox(), QStringLiteral("30 per sheet"));
    QTest::qWait(50);
    EXPECT_TRUE(picker.grab().save(dir + QStringLiteral("/sheet-picker-letter.png")));
    picker.hide();

    // With the installed databases too: a code typed exactly, and one they disagree on.
    CSheetPickerDialog all(SheetCatalogue::standard().sheets());
    all.show();
    QTest::keyClicks(all.searchBox(), QStringLiteral("8160"));
    QTest::qWait(50);
    EXPECT_TRUE(all.grab().save(dir + QStringLiteral("/sheet-picker-catalogue.png")));
    all.searchBox()->clear();
    QTest::keyClicks(all.searchBox(), QStringLiteral("3659"));
    QTest::qWait(50);
    EXPECT_TRUE(all.grab().save(dir + QStringLiteral("/sheet-picker-disputed.png")));
    all.hide();

    ChooseRun run;
    CSettingsSheet* shown = nullptr;
    CSettingsSheet sheet;
    sheet.setFormat(LabelPreferences{}, QStringLiteral("Times New Roman"), QStringLiteral("x"));
    sheet.setLabels({}, -1);
    sheet.setStartOnDimensions(true);
    DialogRunner::setHook([&](QDialog& d) {
        if (auto* picker = qobject_cast<CSheetPickerDialog*>(&d)) {
            QTest::keyClicks(picker->searchBox(), QStringLiteral("L7160"));
            picker->accept();
            return picker->result();
        }
        shown = &sheet;
        d.show();
        QTest::qWait(50);
        sheet.dimensionsPage().control<QPushButton>(DimensionsId::kChooseSheet)->click();
        QTest::qWait(50);
        EXPECT_TRUE(sheet.grab().save(dir + QStringLiteral("/sheet-dimensions-l7160.png")));
        sheet.pressCancel();
        d.hide();
        return d.result();
    });
    sheet.run();
    DialogRunner::setHook({});
    EXPECT_NE(shown, nullptr);
}

// Typing a code chooses the sheet sold under it, even when a sheet found on the way there
// (J8160 while typing "816") is still shown; a Letter sheet's miniature is drawn on Letter.
TEST(SheetPicker, ExactCodeIsChosenAndDrawnOnItsPaper) {
    ScriptedPrompt p;
    CSheetPickerDialog picker(library());
    picker.show();
    QTest::keyClicks(picker.searchBox(), QStringLiteral("8160"));
    ASSERT_NE(picker.chosen(), nullptr);
    EXPECT_EQ(picker.chosen(), SheetLibrary::byCode(library(), QStringLiteral("8160")));
    EXPECT_EQ(picker.chosen()->paper, LabelSheet::Paper::Letter);
    EXPECT_EQ(picker.preview()->paper(), LabelSheet::paperSize(LabelSheet::Paper::Letter));
    // Letter is wider and shorter than A4: the outline's right edge moves out, its foot up.
    const QImage letter = picker.preview()->grab().toImage();
    picker.searchBox()->clear();
    QTest::keyClicks(picker.searchBox(), QStringLiteral("L7160"));
    EXPECT_EQ(picker.preview()->paper(), LabelSheet::paperSize(LabelSheet::Paper::A4));
    const QImage a4 = picker.preview()->grab().toImage();
    EXPECT_EQ(a4.pixelColor(92, 60), QColor(Qt::black));
    EXPECT_NE(letter.pixelColor(92, 60), QColor(Qt::black));
    EXPECT_EQ(letter.pixelColor(94, 60), QColor(Qt::black));
    EXPECT_EQ(letter.pixelColor(60, 122), QColor(Qt::black));
    EXPECT_NE(a4.pixelColor(60, 122), QColor(Qt::black));
    EXPECT_TRUE(p.shown.empty());
}
