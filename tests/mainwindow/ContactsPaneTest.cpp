#include "mainwindow/ContactsPane.h"
#include "MainWindowHarness.h"
#include "TempDir.h"
#include "mainwindow/ControlIds.h"
#include "platform/ui/QtPrompt.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

QString caption(CQuillmarkDlg& dlg) {
    return dlg.control<QLabel>(Id::ContactsCaption)->text();
}

// A contact file of `total` contacts of which the first `withAddress` have an address.
QByteArray contactFile(int total, int withAddress) {
    QByteArray out = "|QMK|\tCreated\twith\tQuillmark\r\n";
    for (int i = 0; i < total; ++i) {
        out += "Person " + QByteArray::number(i);
        if (i < withAddress)
            out += "\t" + QByteArray::number(i) + " High Street\tTown";
        out += "\r\n";
    }
    return out;
}

QStringList itemTexts(CQuillmarkDlg& dlg) {
    QStringList out;
    auto* list = dlg.control<QListWidget>(Id::ContactsList);
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

} // namespace

TEST(ContactsPane, HideIfNoAddressCountsInTheCaption) {
    TempDir dir;
    const QString file = dir.write(QStringLiteral("people.csv"), contactFile(40, 25));
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open(file);
    EXPECT_EQ(caption(dlg), QStringLiteral("people.csv (40 entries)"));
    dlg.control<QCheckBox>(Id::HideIfNoAddress)->click();
    EXPECT_EQ(caption(dlg), QStringLiteral("people.csv (showing 25/40 entries)"));
    EXPECT_EQ(dlg.control<QListWidget>(Id::ContactsList)->count(), 25);
    dlg.control<QCheckBox>(Id::HideIfNoAddress)->click();
    EXPECT_EQ(caption(dlg), QStringLiteral("people.csv (40 entries)"));
    h.shoot(QStringLiteral("contacts-pane"));
}

TEST(ContactsPane, CategoryFilterShowsOnlyMembers) {
    TempDir dir;
    const QString file = dir.write(QStringLiteral("people.csv"), contactFile(5, 5));
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open(file);
    dlg.categories.categoryNames = {"Family", "Work"};
    dlg.categories.categoryStore.Add("Person 3", Categories::Bit(1));
    dlg.contactsPane->FillCategoryCombo();
    EXPECT_TRUE(dlg.control(Id::ShowCategory)->isEnabled());

    dlg.control<QRadioButton>(Id::ShowCategory)->click();
    EXPECT_EQ(caption(dlg), QStringLiteral("people.csv (showing 0/5 entries)"));
    dlg.control<QComboBox>(Id::CategoryCombo)->setCurrentIndex(1);
    dlg.contactsPane->RefreshContacts(false);
    EXPECT_EQ(itemTexts(dlg), QStringList{QStringLiteral("Person 3")});
    dlg.control<QRadioButton>(Id::ShowAll)->click();
    EXPECT_EQ(caption(dlg), QStringLiteral("people.csv (5 entries)"));
    EXPECT_FALSE(dlg.control(Id::CategoryCombo)->isEnabled());
}

TEST(ContactsPane, SortToggleAndNewList) {
    TempDir dir;
    const QString file = dir.write(QStringLiteral("p.csv"),
                                   "|QMK|\tCreated\twith\tQuillmark\r\n"
                                   "Zed Adams\tA\tB\r\nAmy Young\tC\tD\r\nBob Lee\tE\tF\r\n");
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open(file);
    const QStringList byWhole{QStringLiteral("Amy Young"), QStringLiteral("Bob Lee"),
                              QStringLiteral("Zed Adams")};
    EXPECT_EQ(itemTexts(dlg), byWhole);
    dlg.runCommand(Id::SortContactsByLastName);
    EXPECT_TRUE(dlg.command(Id::SortContactsByLastName)->isChecked());
    EXPECT_EQ(itemTexts(dlg), (QStringList{QStringLiteral("Zed Adams"), QStringLiteral("Bob Lee"),
                                           QStringLiteral("Amy Young")}));
    dlg.runCommand(Id::SortContactsByLastName);
    EXPECT_EQ(itemTexts(dlg), byWhole);

    dlg.runCommand(Id::NewContactList); // unmodified: nothing asked
    EXPECT_TRUE(h.prompt.shown.empty());
    EXPECT_EQ(caption(dlg), QStringLiteral("Unsaved list (0 entries)"));
    EXPECT_FALSE(dlg.isCommandEnabled(Id::SaveContactsAs));
}

TEST(ContactsPane, SavingRulesFollowTheShownItems) {
    TempDir dir;
    const QString file = dir.write(QStringLiteral("p.csv"), contactFile(3, 0));
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open(file);
    EXPECT_TRUE(dlg.isCommandEnabled(Id::SaveContactsAs));
    EXPECT_FALSE(dlg.isCommandEnabled(Id::SaveContacts)); // not modified
    dlg.contactList.contactsModified = true;
    EXPECT_TRUE(dlg.isCommandEnabled(Id::SaveContacts));
    // Filters that hide every contact disable both.
    dlg.control<QCheckBox>(Id::HideIfNoAddress)->click();
    EXPECT_FALSE(dlg.isCommandEnabled(Id::SaveContacts));
    EXPECT_FALSE(dlg.isCommandEnabled(Id::SaveContactsAs));
}

TEST(ContactsPane, CloseRequestAsksAboutAChangedFileList) {
    TempDir dir;
    const QString file = dir.write(QStringLiteral("p.csv"), contactFile(3, 3));
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open(file);
    dlg.show();
    dlg.contactList.contactsModified = true;
    h.prompt.answer(Prompt::Answer::Cancel);
    dlg.close();
    ASSERT_EQ(h.prompt.shown.size(), 1u);
    EXPECT_EQ(h.prompt.shown[0].text, QStringLiteral("Save changes to p.csv?"));
    EXPECT_EQ(h.prompt.shown[0].caption, QStringLiteral("Save File"));
    EXPECT_EQ(h.prompt.shown[0].buttons, Prompt::Buttons::YesNoCancel);
    EXPECT_TRUE(dlg.isVisible());

    h.prompt.answer(Prompt::Answer::No);
    dlg.close();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_TRUE(h.store.values.contains(QStringLiteral("Preferences")));
}

TEST(ContactsPane, OpenContactListMergesOnYes) {
    TempDir dir;
    const QString a = dir.write(QStringLiteral("a.csv"), contactFile(2, 2));
    const QString b =
        dir.write(QStringLiteral("b.csv"), "|QMK|\tCreated\twith\tQuillmark\r\nZoe\tX\tY\r\n");
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open(a);
    h.prompt.openWith(b);
    h.prompt.answer(Prompt::Answer::Yes);
    dlg.runCommand(Id::OpenContactList);
    ASSERT_EQ(h.prompt.shown.size(), 1u);
    EXPECT_EQ(h.prompt.shown[0].text,
              QStringLiteral("Merge ") + b +
                  QStringLiteral(" with Contact List (click No to replace)?"));
    EXPECT_EQ(caption(dlg), QStringLiteral("b.csv (3 entries)"));
    EXPECT_EQ(h.prompt.fileRequests.back().filter,
              QStringLiteral("CSV Files (*.csv)|*.csv|TSV Files (*.tsv)|*.tsv|"
                             "Text Files (*.txt)|*.txt|"
                             "vCard files (*.vcf *.vcard)|*.vcf;*.vcard|"
                             "All files (*)|*||"));
    EXPECT_EQ(QtPrompt::qtFilter(h.prompt.fileRequests.back().filter),
              QStringLiteral("CSV Files (*.csv);;TSV Files (*.tsv);;Text Files (*.txt);;"
                             "vCard files (*.vcf *.vcard);;All files (*)"));
}

TEST(ContactsPane, SelectedContactsBecomeLabels) {
    TempDir dir;
    const QString file =
        dir.write(QStringLiteral("friends.csv"),
                  "|QMK|\tCreated\twith\tQuillmark\r\n"
                  "Mrs Ann Lee\t14 Orchard Lane\tLittle Hadham\tHertfordshire\tSG11 2AB\r\n"
                  "Dr Bob Okafor\tFlat 3, 22 Mill Road\tCambridge\tCB1 2AD\r\n"
                  "Carla Rossi\tVia Roma 5\t00184 Roma\tItalia\r\n"
                  "Dev Patel\t9 Harbour Street\tWhitstable\tCT5 1AJ\r\n"
                  "Emma Brown\r\n"
                  "Farid Haddad\t31 Queen's Road\tBrighton\tBN1 3XE\r\n");
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open(file);
    dlg.resize(dlg.width() + 120, dlg.height());
    auto* list = dlg.control<QListWidget>(Id::ContactsList);
    ASSERT_EQ(list->count(), 6);
    for (int row : {0, 1, 3})
        list->item(row)->setSelected(true);
    ASSERT_TRUE(dlg.control(Id::AddToLabelList)->isEnabled());
    static_cast<QAbstractButton*>(dlg.control(Id::AddToLabelList))->click();
    EXPECT_EQ(dlg.control<QLabel>(Id::LabelCounter)->text(), QStringLiteral("Label 3/3"));
    h.shoot(QStringLiteral("main-window-in-use"));
}

// Two contacts of the same name without an address differ only in their second line, which
// the pane must show.
TEST(ContactsPane, TwoLineContactsShowBothLines) {
    TempDir dir;
    const QString file =
        dir.write(QStringLiteral("two.csv"), "|QMK|\tCreated\twith\tQuillmark\r\n"
                                             "Ann Lee\tLondon\r\nAnn Lee\tLeeds\r\nBob Ray\r\n"
                                             "Aaron Bell\r\n");
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open(file);
    dlg.show();
    EXPECT_EQ(itemTexts(dlg),
              (QStringList{QStringLiteral("Aaron Bell"), QStringLiteral("Ann Lee\nLeeds"),
                           QStringLiteral("Ann Lee\nLondon"), QStringLiteral("Bob Ray")}));
    auto* list = dlg.control<QListWidget>(Id::ContactsList);
    const int lineHeight = list->fontMetrics().height();
    for (int i = 1; i < 3; ++i)
        EXPECT_GE(list->visualItemRect(list->item(i)).height(), 2 * lineHeight) << i;
    h.shoot(QStringLiteral("two-line-contacts"));
}
