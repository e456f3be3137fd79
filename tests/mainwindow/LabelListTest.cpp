#include "MainWindowHarness.h"
#include "TempDir.h"
#include "app/LabelListFile.h"
#include "contacts/CCSVFile.h"
#include "controls/UpDownControl.h"
#include "mainwindow/CRepeatDialog.h"
#include "mainwindow/ControlIds.h"
#include "mainwindow/LabelListPane.h"
#include "platform/FileError.h"
#include "platform/ui/DialogRunner.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

LabelListPane& pane(CQuillmarkDlg& dlg) {
    return *dlg.labelList;
}
QPlainTextEdit* editor(CQuillmarkDlg& dlg) {
    return dlg.control<QPlainTextEdit>(Id::LabelEditor);
}
QScrollBar* scrollBar(CQuillmarkDlg& dlg) {
    return dlg.control<QScrollBar>(Id::LabelScrollBar);
}
QString counter(CQuillmarkDlg& dlg) {
    return dlg.control<QLabel>(Id::LabelCounter)->text();
}
QString caption(CQuillmarkDlg& dlg) {
    return dlg.control<QLabel>(Id::LabelListCaption)->text();
}
bool enabled(CQuillmarkDlg& dlg, int id) {
    return dlg.control(id)->isEnabled();
}

// Labels "L1".."Ln" (or the given texts) with label `current` shown, as after navigating there.
void fill(CQuillmarkDlg& dlg, Strings texts, int current) {
    LabelListPane& p = pane(dlg);
    p.labels.RemoveAll();
    for (std::string& t : texts)
        p.labels.Add(std::move(t));
    p.currentLabel = current;
    p.UpdateControls();
    p.ShowCurrentLabel();
}

Strings numbered(int n) {
    Strings out;
    for (int i = 1; i <= n; ++i)
        out.push_back("L" + std::to_string(i));
    return out;
}

// Runs the repeat dialog with the box texts in turn, pressing OK after each; the last press
// may be refused, which then cancels.
void repeatWith(QStringList entries) {
    DialogRunner::setHook([entries](QDialog& d) {
        auto& dialog = dynamic_cast<CRepeatDialog&>(d);
        for (const QString& e : entries) {
            dialog.countBox()->setText(e);
            dialog.accept();
            if (dialog.result() == QDialog::Accepted)
                return int(QDialog::Accepted);
        }
        return int(QDialog::Rejected);
    });
}

struct HookReset {
    ~HookReset() { DialogRunner::setHook(nullptr); }
};

QByteArray contactFile() {
    return "|QMK|\tCreated\twith\tQuillmark\r\n"
           "Ann Smith\t1 High Street\tTown\r\n"
           "Bob Jones\t2 Low Road\tCity,\r\n"
           "Cy Young\t3 Mill Lane\tVillage\r\n";
}

} // namespace

TEST(LabelList, OpensEmptyWithEverythingLabelRelatedOff) {
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    EXPECT_EQ(pane(dlg).currentLabel, 0);
    EXPECT_EQ(pane(dlg).labelsModified, 0);
    EXPECT_TRUE(editor(dlg)->isReadOnly());
    EXPECT_EQ(counter(dlg), QStringLiteral("Label 0/0"));
    EXPECT_EQ(caption(dlg), QString());
    for (int id : {Id::DeleteButton, Id::DeleteAllButton, Id::PrintLabels, Id::RepeatButton,
                   Id::LabelScrollBar})
        EXPECT_FALSE(enabled(dlg, id)) << id;
    EXPECT_TRUE(dlg.isCommandEnabled(Id::AddNewLabel));
    EXPECT_TRUE(dlg.isCommandEnabled(Id::OpenLabels));
    for (int id : {Id::RepeatLabel, Id::SortLabels, Id::DeleteLabel, Id::DeleteAllLabels,
                   Id::SaveLabels, Id::SaveLabelsAs})
        EXPECT_FALSE(dlg.isCommandEnabled(id)) << id;
}

TEST(LabelList, DeleteLabelMovesToTheRightNeighbour) {
    struct Case {
        int count, current;
        Strings after;
        int currentAfter, modifiedAfter;
        QString counterAfter;
    };
    const Case cases[] = {
        {3, 1, {"L2", "L3"}, 1, 1, QStringLiteral("Label 1/2")},
        {3, 2, {"L1", "L3"}, 1, 1, QStringLiteral("Label 1/2")},
        {3, 3, {"L1", "L2"}, 2, 1, QStringLiteral("Label 2/2")},
        {1, 1, {}, 0, 0, QStringLiteral("Label 0/0")},
    };
    for (const Case& c : cases) {
        MainWindowHarness h;
        CQuillmarkDlg& dlg = h.open();
        fill(dlg, numbered(c.count), c.current);
        dlg.control<QAbstractButton>(Id::DeleteButton)->click();
        const auto ctx = testing::Message() << c.count << " labels, deleting " << c.current;
        EXPECT_EQ(pane(dlg).labels.Strings(), c.after) << ctx;
        EXPECT_EQ(pane(dlg).currentLabel, c.currentAfter) << ctx;
        EXPECT_EQ(pane(dlg).labelsModified, c.modifiedAfter) << ctx;
        EXPECT_EQ(counter(dlg), c.counterAfter) << ctx;
        const QString shown =
            c.currentAfter ? QString::fromStdString(c.after[c.currentAfter - 1]) : QString();
        EXPECT_EQ(editor(dlg)->toPlainText(), shown) << ctx;
        EXPECT_EQ(editor(dlg)->isReadOnly(), c.after.empty()) << ctx;
        EXPECT_EQ(caption(dlg), c.after.empty() ? QString() : QStringLiteral("Unsaved label list"))
            << ctx;
    }
}

TEST(LabelList, ScrollBarNavigation) {
    struct Case {
        const char* name;
        int count, current;
        QAbstractSlider::SliderAction action;
        int currentAfter;
    };
    const Case cases[] = {
        {"page right from 5 of 12", 12, 5, QAbstractSlider::SliderPageStepAdd, 12},
        {"page left from 5 of 12", 12, 5, QAbstractSlider::SliderPageStepSub, 1},
        {"page right from 1 of 12", 12, 1, QAbstractSlider::SliderPageStepAdd, 11},
        {"page left from 12 of 12", 12, 12, QAbstractSlider::SliderPageStepSub, 2},
        {"line right", 12, 5, QAbstractSlider::SliderSingleStepAdd, 6},
        {"line left", 12, 5, QAbstractSlider::SliderSingleStepSub, 4},
        {"line right at the end", 12, 12, QAbstractSlider::SliderSingleStepAdd, 12},
        {"line left at the start", 12, 1, QAbstractSlider::SliderSingleStepSub, 1},
        {"jump to the end does nothing", 12, 5, QAbstractSlider::SliderToMaximum, 5},
    };
    for (const Case& c : cases) {
        MainWindowHarness h;
        CQuillmarkDlg& dlg = h.open();
        fill(dlg, numbered(c.count), c.current);
        scrollBar(dlg)->triggerAction(c.action);
        EXPECT_EQ(pane(dlg).currentLabel, c.currentAfter) << c.name;
        EXPECT_EQ(scrollBar(dlg)->value(), c.currentAfter) << c.name;
        EXPECT_EQ(editor(dlg)->toPlainText(), QStringLiteral("L%1").arg(c.currentAfter)) << c.name;
        EXPECT_EQ(counter(dlg), QStringLiteral("Label %1/%2").arg(c.currentAfter).arg(c.count))
            << c.name;
    }
}

TEST(LabelList, DraggingTheThumbShowsThePositionAndReleasingMovesThere) {
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    fill(dlg, numbered(12), 2);
    QScrollBar* bar = scrollBar(dlg);
    bar->setSliderDown(true);
    bar->setSliderPosition(7);
    EXPECT_EQ(counter(dlg), QStringLiteral("Label 7/12"));
    EXPECT_EQ(pane(dlg).currentLabel, 2);
    EXPECT_EQ(editor(dlg)->toPlainText(), QStringLiteral("L2"));
    bar->setSliderDown(false);
    EXPECT_EQ(pane(dlg).currentLabel, 7);
    EXPECT_EQ(editor(dlg)->toPlainText(), QStringLiteral("L7"));
    EXPECT_EQ(counter(dlg), QStringLiteral("Label 7/12"));
}

TEST(LabelList, EditsAreStoredWithLineBreaksWhenMovingAway) {
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    fill(dlg, {"Ann\r\nTown\r\n", "Bob"}, 1);
    // Showing labels is not an edit.
    EXPECT_EQ(pane(dlg).labelsModified, 0);
    EXPECT_EQ(editor(dlg)->toPlainText(), QStringLiteral("Ann\nTown\n"));

    editor(dlg)->moveCursor(QTextCursor::End);
    QTest::keyClicks(editor(dlg), QStringLiteral("Zip\u00a0"));
    QTest::keyClick(editor(dlg), Qt::Key_Return);
    QTest::keyClicks(editor(dlg), QStringLiteral("UK"));
    EXPECT_EQ(pane(dlg).labelsModified, 1);
    scrollBar(dlg)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(pane(dlg).labels.GetAt(0), "Ann\r\nTown\r\nZip\u00a0\r\nUK");
    EXPECT_EQ(editor(dlg)->toPlainText(), QStringLiteral("Bob"));
}

TEST(LabelList, RepeatThreeTimesOnLabelTwoOfFour) {
    HookReset reset;
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    fill(dlg, numbered(4), 2);
    int initialCount = 0;
    DialogRunner::setHook([&initialCount](QDialog& d) {
        auto& dialog = dynamic_cast<CRepeatDialog&>(d);
        initialCount = dialog.countBox()->text().toInt();
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Repeat Label"));
        dialog.countBox()->setText(QStringLiteral("3"));
        const QString shots = qEnvironmentVariable("QM_SHOTS");
        if (!shots.isEmpty())
            dialog.grab().save(shots + QStringLiteral("/repeat-dialog.png"));
        dialog.accept();
        return dialog.result();
    });
    dlg.control<QAbstractButton>(Id::RepeatButton)->click();
    EXPECT_EQ(initialCount, 1);
    EXPECT_EQ(pane(dlg).labels.Strings(), (Strings{"L1", "L2", "L2", "L2", "L2", "L3", "L4"}));
    EXPECT_EQ(pane(dlg).currentLabel, 5);
    EXPECT_EQ(pane(dlg).labelsModified, 1);
    EXPECT_EQ(counter(dlg), QStringLiteral("Label 5/7"));
    h.shoot(QStringLiteral("labels-repeated"));

    // Cancelled: nothing changes.
    DialogRunner::setHook([](QDialog&) { return int(QDialog::Rejected); });
    dlg.runCommand(Id::RepeatLabel);
    EXPECT_EQ(pane(dlg).labels.GetSize(), 7);
    EXPECT_EQ(pane(dlg).currentLabel, 5);
}

TEST(LabelList, RepeatDialogRefusesCountsOutsideOneTo998) {
    HookReset reset;
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    fill(dlg, numbered(1), 1);
    repeatWith({QStringLiteral("three"), QStringLiteral("0"), QStringLiteral("999"),
                QStringLiteral(""), QStringLiteral("998")});
    dlg.runCommand(Id::RepeatLabel);
    EXPECT_EQ(h.prompt.texts(), (QStringList{QStringLiteral("Enter an integer."),
                                             QStringLiteral("Enter an integer between 1 and 998."),
                                             QStringLiteral("Enter an integer between 1 and 998."),
                                             QStringLiteral("Enter an integer.")}));
    EXPECT_EQ(h.prompt.shown[0].caption, QStringLiteral("Quillmark"));
    EXPECT_EQ(pane(dlg).labels.GetSize(), 999);
    EXPECT_EQ(pane(dlg).currentLabel, 999);
}

TEST(LabelList, FirstLabelBoxFollowsTheSheet) {
    struct Case {
        QString typed;
        QString after;
    };
    const Case cases[] = {
        {QStringLiteral("24"), QStringLiteral("1")}, {QStringLiteral("21"), QStringLiteral("21")},
        {QStringLiteral("22"), QStringLiteral("1")}, {QStringLiteral("abc"), QStringLiteral("1")},
        {QStringLiteral(""), QStringLiteral("1")},   {QStringLiteral("0"), QStringLiteral("1")},
        {QStringLiteral("5"), QStringLiteral("5")},
    };
    for (const Case& c : cases) {
        MainWindowHarness h;
        CQuillmarkDlg& dlg = h.open();
        dlg.settings.prefs.geometry.labelsAcross = 3;
        dlg.settings.prefs.geometry.labelsDown = 7;
        dlg.control<QLineEdit>(Id::FirstLabelBox)->setText(c.typed);
        pane(dlg).UpdateControls();
        EXPECT_EQ(dlg.control<QLineEdit>(Id::FirstLabelBox)->text(), c.after)
            << c.typed.toStdString();
        auto* spin = dlg.control<UpDownControl>(Id::FirstLabelSpin);
        EXPECT_EQ(spin->lower(), 1);
        EXPECT_EQ(spin->upper(), 21);
    }
}

TEST(LabelList, AddToLabelListTakesTheSelectedContactsUnchanged) {
    TempDir dir;
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open(dir.write(QStringLiteral("people.csv"), contactFile()));
    auto* list = dlg.control<QListWidget>(Id::ContactsList);
    ASSERT_EQ(list->count(), 3);
    EXPECT_FALSE(enabled(dlg, Id::AddToLabelList));

    // Nothing selected: nothing added, but the list counts as changed.
    pane(dlg).AddToLabelList();
    EXPECT_EQ(pane(dlg).labels.GetSize(), 0);
    EXPECT_EQ(pane(dlg).labelsModified, 1);

    list->item(0)->setSelected(true);
    list->item(2)->setSelected(true);
    EXPECT_TRUE(enabled(dlg, Id::AddToLabelList));
    dlg.control<QAbstractButton>(Id::AddToLabelList)->click();
    const CSortStrArray& contacts = dlg.contactList.contacts;
    EXPECT_EQ(pane(dlg).labels.Strings(),
              (Strings{contacts.GetAt(list->item(0)->data(Qt::UserRole).toInt()),
                       contacts.GetAt(list->item(2)->data(Qt::UserRole).toInt())}));
    EXPECT_EQ(pane(dlg).labels.GetAt(0), "Ann Smith\r\n1 High Street\r\nTown");
    EXPECT_EQ(pane(dlg).currentLabel, 2);
    EXPECT_EQ(counter(dlg), QStringLiteral("Label 2/2"));
    EXPECT_EQ(caption(dlg), QStringLiteral("Unsaved label list"));
    EXPECT_FALSE(editor(dlg)->isReadOnly());
    EXPECT_TRUE(enabled(dlg, Id::LabelScrollBar));
    EXPECT_TRUE(enabled(dlg, Id::PrintLabels));
    h.shoot(QStringLiteral("labels-added"));
}

TEST(LabelList, AddNewLabelInsertsAnEmptyLabelAfterTheCurrentOne) {
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    dlg.control<QAbstractButton>(Id::AddButton)->click();
    EXPECT_EQ(pane(dlg).labels.Strings(), Strings{""});
    EXPECT_EQ(pane(dlg).currentLabel, 1);
    EXPECT_EQ(pane(dlg).labelsModified, 0);
    EXPECT_FALSE(editor(dlg)->isReadOnly());
    EXPECT_EQ(caption(dlg), QStringLiteral("Unsaved label list"));

    fill(dlg, numbered(3), 2);
    dlg.runCommand(Id::AddNewLabel);
    EXPECT_EQ(pane(dlg).labels.Strings(), (Strings{"L1", "L2", "", "L3"}));
    EXPECT_EQ(pane(dlg).currentLabel, 3);
    EXPECT_EQ(pane(dlg).labelsModified, 0);
}

TEST(LabelList, SortByLastNameKeepsTheCurrentLabelAndTheEditor) {
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    fill(dlg, {"Ann Zed\r\n1 Road", "bob young", "Cy Xavier"}, 1);
    EXPECT_TRUE(dlg.isCommandEnabled(Id::SortLabels));
    dlg.runCommand(Id::SortLabels);
    EXPECT_EQ(pane(dlg).labels.Strings(), (Strings{"Cy Xavier", "bob young", "Ann Zed\r\n1 Road"}));
    EXPECT_EQ(pane(dlg).currentLabel, 3);
    EXPECT_EQ(scrollBar(dlg)->value(), 3);
    EXPECT_EQ(counter(dlg), QStringLiteral("Label 3/3"));
    EXPECT_EQ(editor(dlg)->toPlainText(), QStringLiteral("Ann Zed\n1 Road"));
    EXPECT_EQ(pane(dlg).labelsModified, 0);

    fill(dlg, {"One"}, 1);
    EXPECT_FALSE(dlg.isCommandEnabled(Id::SortLabels));
}

TEST(LabelList, DeleteAllAsksFirst) {
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    fill(dlg, numbered(3), 2);
    pane(dlg).labelsModified = 1;
    h.prompt.answer(Prompt::Answer::Cancel);
    dlg.control<QAbstractButton>(Id::DeleteAllButton)->click();
    ASSERT_EQ(h.prompt.shown.size(), 1u);
    EXPECT_EQ(h.prompt.shown[0].text, QStringLiteral("Delete all the labels from the list?"));
    EXPECT_EQ(h.prompt.shown[0].caption, QStringLiteral("Delete labels"));
    EXPECT_EQ(h.prompt.shown[0].buttons, Prompt::Buttons::OkCancel);
    EXPECT_EQ(h.prompt.shown[0].icon, Prompt::Icon::Warning);
    EXPECT_EQ(pane(dlg).labels.GetSize(), 3);
    EXPECT_EQ(pane(dlg).labelsModified, 1);

    h.prompt.answer(Prompt::Answer::Ok);
    dlg.runCommand(Id::DeleteAllLabels);
    EXPECT_EQ(pane(dlg).labels.GetSize(), 0);
    EXPECT_EQ(pane(dlg).currentLabel, 0);
    EXPECT_EQ(pane(dlg).labelsModified, 0);
    EXPECT_EQ(editor(dlg)->toPlainText(), QString());
    EXPECT_TRUE(editor(dlg)->isReadOnly());
    EXPECT_EQ(caption(dlg), QString());
}

TEST(LabelList, SaveAsWritesTheFileAndOpenBringsListAndSheetBack) {
    TempDir dir;
    const QString path = dir.path(QStringLiteral("christmas.lbl"));
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    fill(dlg, {"Ann\r\nTown,", "Bob\r\nCity"}, 2);
    pane(dlg).labelsModified = 1;
    dlg.settings.prefs.geometry.labelsAcross = 3;
    dlg.settings.prefs.geometry.labelsDown = 7;
    dlg.settings.fontName = QStringLiteral("Garamond");
    h.prompt.saveWith(path);
    dlg.runCommand(Id::SaveLabelsAs);
    ASSERT_EQ(h.prompt.fileRequests.size(), 1u);
    EXPECT_EQ(h.prompt.fileRequests[0].filter, QStringLiteral("Label Files (*.lbl)|*.lbl||"));
    EXPECT_EQ(h.prompt.fileRequests[0].defaultExtension, QStringLiteral("lbl"));
    EXPECT_EQ(dlg.labelFileName, path);
    EXPECT_EQ(pane(dlg).labelsModified, 0);
    EXPECT_EQ(caption(dlg), QStringLiteral("Label List: christmas.lbl"));
    EXPECT_FALSE(dlg.isCommandEnabled(Id::SaveLabels));
    EXPECT_EQ(dir.read(QStringLiteral("christmas.lbl")),
              LabelListFile::write(pane(dlg).labels, dlg.settings.prefs, "Garamond"));

    // A second window opens it with its sheet and font.
    MainWindowHarness h2;
    CQuillmarkDlg& dlg2 = h2.open({}, path);
    EXPECT_TRUE(h2.prompt.shown.empty());
    EXPECT_EQ(pane(dlg2).labels.Strings(), (Strings{"Ann\r\nTown", "Bob\r\nCity"}));
    EXPECT_EQ(pane(dlg2).currentLabel, 2);
    EXPECT_EQ(pane(dlg2).labelsModified, 0);
    EXPECT_EQ(dlg2.settings.fontName, QStringLiteral("Garamond"));
    EXPECT_EQ(dlg2.settings.prefs.geometry.labelsAcross, 3);
    EXPECT_EQ(dlg2.control<UpDownControl>(Id::FirstLabelSpin)->upper(), 21);
    EXPECT_EQ(caption(dlg2), QStringLiteral("Label List: christmas.lbl"));
    EXPECT_EQ(editor(dlg2)->toPlainText(), QStringLiteral("Bob\nCity"));
    h2.shoot(QStringLiteral("labels-reopened"));
}

TEST(LabelList, OpeningWhileModifiedAsksAndNoKeepsTheModifiedFlag) {
    TempDir dir;
    const QString full =
        dir.write(QStringLiteral("full.lbl"),
                  QByteArray("Zed\tRoad\n") +
                      LabelListFile::write(CSortStrArray{}, LabelPreferences{}, "Arial"));
    struct Case {
        Prompt::Answer answer;
        bool loaded;
        int modifiedAfter;
    };
    for (const Case& c :
         {Case{Prompt::Answer::No, true, 1}, Case{Prompt::Answer::Cancel, false, 1}}) {
        MainWindowHarness h;
        CQuillmarkDlg& dlg = h.open();
        fill(dlg, numbered(2), 1);
        pane(dlg).labelsModified = 1;
        h.prompt.answer(c.answer);
        h.prompt.openWith(full);
        dlg.runCommand(Id::OpenLabels);
        ASSERT_GE(h.prompt.shown.size(), 1u);
        EXPECT_EQ(h.prompt.shown[0].text, QStringLiteral("Save changes to unsaved labels?"));
        EXPECT_EQ(h.prompt.shown[0].caption, QStringLiteral("Save Labels"));
        EXPECT_EQ(h.prompt.shown[0].buttons, Prompt::Buttons::YesNoCancel);
        EXPECT_EQ(h.prompt.shown[0].icon, Prompt::Icon::Warning);
        EXPECT_EQ(pane(dlg).labels.Strings(), c.loaded ? Strings{"Zed\r\nRoad"} : numbered(2));
        EXPECT_EQ(pane(dlg).labelsModified, c.modifiedAfter);
        EXPECT_EQ(dlg.isCommandEnabled(Id::SaveLabels), c.loaded);
    }

    // Unmodified: no question, and Save stays off after the open.
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    h.prompt.openWith(full);
    dlg.runCommand(Id::OpenLabels);
    EXPECT_TRUE(h.prompt.shown.empty());
    EXPECT_EQ(pane(dlg).labels.GetSize(), 1);
    EXPECT_FALSE(dlg.isCommandEnabled(Id::SaveLabels));
    EXPECT_TRUE(dlg.isCommandEnabled(Id::SaveLabelsAs));
}

TEST(LabelList, YesToTheQuestionAlwaysOffersSaveAs) {
    TempDir dir;
    const QString mine = dir.write(QStringLiteral("mine.lbl"), QByteArray());
    const QString other =
        dir.write(QStringLiteral("other.lbl"),
                  LabelListFile::write(CSortStrArray{}, LabelPreferences{}, "Arial"));
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    fill(dlg, numbered(2), 1);
    pane(dlg).labelsModified = 1;
    dlg.labelFileName = mine;
    h.prompt.answer(Prompt::Answer::Yes);
    h.prompt.saveWith(std::nullopt); // the save dialog is cancelled: the open goes on
    h.prompt.openWith(other);
    dlg.runCommand(Id::OpenLabels);
    EXPECT_EQ(h.prompt.shown[0].text, QStringLiteral("Save changes to mine.lbl?"));
    ASSERT_EQ(h.prompt.fileRequests.size(), 2u);
    EXPECT_EQ(dlg.labelFileName, other);
    EXPECT_EQ(pane(dlg).labels.GetSize(), 0);
    EXPECT_EQ(dir.read(QStringLiteral("mine.lbl")), QByteArray());
}

TEST(LabelList, LabelHoldingTheEndLineIsNotSaved) {
    TempDir dir;
    const QByteArray before = "Old\n|end|\r\n";
    const QString path = dir.write(QStringLiteral("list.lbl"), before);
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    fill(dlg, {"Ann", "Bob", "Pipe |end| inside"}, 1);
    pane(dlg).labelsModified = 1;
    dlg.labelFileName = path;
    dlg.runCommand(Id::SaveLabels);
    dlg.runCommand(Id::SaveLabelsAs);
    ASSERT_EQ(h.prompt.shown.size(), 2u);
    for (const auto& shown : h.prompt.shown)
        EXPECT_EQ(shown.text, QStringLiteral("Label 3 contains the text |end|, which marks the end "
                                             "of the labels in a label file. Change that label, "
                                             "then save again."));
    EXPECT_TRUE(h.prompt.fileRequests.empty());
    EXPECT_EQ(dir.read(QStringLiteral("list.lbl")), before);
    EXPECT_EQ(pane(dlg).labelsModified, 1);
    EXPECT_EQ(dlg.labelFileName, path);
}

TEST(LabelList, FileProblemsAreReportedAndLoseNothing) {
    TempDir dir;
    // Cut inside the trailer: the labels stay, the last one is current, the sheet is kept.
    QByteArray whole = LabelListFile::write(
        [] {
            CSortStrArray l;
            l.Add("Ann");
            l.Add("Bob");
            return l;
        }(),
        LabelPreferences{}, "Arial");
    const QString cut = dir.write(QStringLiteral("cut.lbl"), whole.left(whole.size() - 5));
    {
        MainWindowHarness h;
        CQuillmarkDlg& dlg = h.open({}, cut);
        EXPECT_EQ(h.prompt.texts(),
                  QStringList{FileError::standardMessage(FileError::EndOfFile, cut)});
        EXPECT_EQ(pane(dlg).labels.Strings(), (Strings{"Ann", "Bob"}));
        EXPECT_EQ(pane(dlg).currentLabel, 2);
        EXPECT_EQ(counter(dlg), QStringLiteral("Label 2/2"));
        EXPECT_EQ(dlg.settings.fontName, QStringLiteral("Times New Roman"));
    }
    // A missing file: reported, the name cleared, the list unchanged.
    {
        MainWindowHarness h;
        CQuillmarkDlg& dlg = h.open();
        fill(dlg, numbered(2), 2);
        const QString missing = dir.path(QStringLiteral("missing.lbl"));
        h.prompt.openWith(missing);
        dlg.runCommand(Id::OpenLabels);
        EXPECT_EQ(h.prompt.texts(), QStringList{QStringLiteral("Can't open file: ") + missing});
        EXPECT_EQ(dlg.labelFileName, QString());
        EXPECT_EQ(pane(dlg).labels.Strings(), numbered(2));
        EXPECT_EQ(pane(dlg).currentLabel, 2);
    }
    // More labels than a list takes: refused whole, the list shown stays and no longer names
    // a file, so that saving cannot write it over the big one.
    {
        MainWindowHarness h;
        CQuillmarkDlg& dlg = h.open();
        fill(dlg, numbered(2), 2);
        const QString huge = dir.write(QStringLiteral("huge.lbl"),
                                       QByteArray(CCSVFile::kMaxLabels + 1, '\n') + whole);
        h.prompt.openWith(huge);
        dlg.runCommand(Id::OpenLabels);
        EXPECT_EQ(h.prompt.texts(),
                  QStringList{QStringLiteral("The file huge.lbl holds more than 1,000,000 labels: "
                                             "too many to open.")});
        EXPECT_EQ(dlg.labelFileName, QString());
        EXPECT_EQ(pane(dlg).labels.Strings(), numbered(2));
        EXPECT_EQ(pane(dlg).currentLabel, 2);
        EXPECT_EQ(dlg.settings.fontName, QStringLiteral("Times New Roman"));
    }
    // A folder is no label file either.
    {
        MainWindowHarness h;
        CQuillmarkDlg& dlg = h.open({}, dir.path(QString()));
        EXPECT_EQ(h.prompt.texts().size(), 1);
        EXPECT_TRUE(h.prompt.texts().value(0).startsWith(QStringLiteral("Can't open file: ")));
        EXPECT_EQ(pane(dlg).labels.GetSize(), 0);
    }
    // A file that cannot be created: reported, the name cleared, the list still changed.
    {
        MainWindowHarness h;
        CQuillmarkDlg& dlg = h.open();
        fill(dlg, numbered(2), 1);
        pane(dlg).labelsModified = 1;
        const QString nowhere = dir.path(QStringLiteral("no/such/folder/x.lbl"));
        h.prompt.saveWith(nowhere);
        dlg.runCommand(Id::SaveLabelsAs);
        EXPECT_EQ(h.prompt.texts(), QStringList{QStringLiteral("Can't open file: ") + nowhere});
        EXPECT_EQ(dlg.labelFileName, QString());
        EXPECT_EQ(pane(dlg).labelsModified, 1);
        EXPECT_EQ(caption(dlg), QStringLiteral("Unsaved label list"));
    }
}
