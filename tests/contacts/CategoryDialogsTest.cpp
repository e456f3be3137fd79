#include "contacts/Categories.h"
#include "contacts/ui/CCategoriesPP.h"
#include "contacts/ui/CCategoryDialog.h"
#include "contacts/ui/CEditDetails.h"
#include "contacts/ui/CEditNameDialog.h"
#include "contacts/ui/CSimpleCombo.h"
#include "platform/ui/DialogRunner.h"

#include "MemorySettingsStore.h"
#include "ScriptedPrompt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

// Removes the dialog hook when a test ends, whatever happens.
struct HookGuard {
    explicit HookGuard(DialogRunner::Hook hook) { DialogRunner::setHook(std::move(hook)); }
    ~HookGuard() { DialogRunner::setHook({}); }
};

QPushButton* button(QWidget* w) {
    return qobject_cast<QPushButton*>(w);
}

QStringList comboEntries(const QComboBox* combo) {
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}

QStringList listEntries(const CSimpleCombo* combo) {
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}

std::vector<std::string> names(int n) {
    std::vector<std::string> out;
    for (int i = 0; i < n; ++i)
        out.push_back("Cat " + std::to_string(i));
    return out;
}

struct PageFixture {
    MemorySettingsStore settings;
    ScriptedPrompt prompt;
};

} // namespace

TEST(CategoryDialogs, PageButtonsFollowTheEditAndSelection) {
    PageFixture f;
    CCategoriesPP page({"Family", "Work"}, false, f.settings);
    auto* combo = page.control<CSimpleCombo>(CCategoriesPP::NameCombo);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(listEntries(combo), (QStringList{"Family", "Work"}));
    EXPECT_FALSE(page.control(CCategoriesPP::AddButton)->isEnabled());
    EXPECT_FALSE(page.control(CCategoriesPP::DeleteButton)->isEnabled());
    EXPECT_FALSE(page.control(CCategoriesPP::RenameButton)->isEnabled());

    combo->lineEdit()->setText(QStringLiteral("Club"));
    EXPECT_TRUE(page.control(CCategoriesPP::AddButton)->isEnabled());
    combo->setCurrentIndex(1);
    EXPECT_EQ(combo->editText(), QStringLiteral("Work")); // picking an entry fills the edit
    EXPECT_TRUE(page.control(CCategoriesPP::DeleteButton)->isEnabled());
    EXPECT_TRUE(page.control(CCategoriesPP::RenameButton)->isEnabled());

    button(page.control(CCategoriesPP::DeleteButton))->click();
    EXPECT_EQ(listEntries(combo), (QStringList{"Family"}));
    EXPECT_FALSE(page.control(CCategoriesPP::DeleteButton)->isEnabled());
    EXPECT_EQ(page.deletedMask(), 0x2u);
    EXPECT_TRUE(f.prompt.shown.empty()); // deleting asks nothing
}

TEST(CategoryDialogs, PageAddStopsAtThirty) {
    PageFixture f;
    CCategoriesPP page(names(29), false, f.settings);
    auto* combo = page.control<CSimpleCombo>(CCategoriesPP::NameCombo);
    combo->setEditText(QStringLiteral("Thirtieth"));
    button(page.control(CCategoriesPP::AddButton))->click();
    ASSERT_EQ(combo->count(), 30);
    EXPECT_EQ(combo->itemText(29), QStringLiteral("Thirtieth"));
    EXPECT_TRUE(f.prompt.shown.empty());

    combo->setEditText(QStringLiteral("Thirty-first"));
    button(page.control(CCategoriesPP::AddButton))->click();
    EXPECT_EQ(combo->count(), 30);
    EXPECT_EQ(page.names().size(), 30u);
    ASSERT_EQ(f.prompt.shown.size(), 1u);
    EXPECT_EQ(f.prompt.shown[0].text, QStringLiteral("Sorry, only 30 categories are allowed"));
    EXPECT_EQ(f.prompt.shown[0].caption, QStringLiteral("Quillmark"));
    EXPECT_EQ(f.prompt.shown[0].buttons, Prompt::Buttons::Ok);
    EXPECT_EQ(f.prompt.shown[0].icon, Prompt::Icon::Error);
}

// Rename goes through the name dialog, keeps the position (and so the contacts) and
// accepts an empty name; cancelling it changes nothing.
TEST(CategoryDialogs, PageRenameThroughTheNameDialog) {
    PageFixture f;
    CCategoriesPP page({"Family", "Work"}, false, f.settings);
    auto* combo = page.control<CSimpleCombo>(CCategoriesPP::NameCombo);
    combo->setCurrentIndex(0);

    QString offered;
    int answer = QDialog::Rejected;
    QString typed = QStringLiteral("ignored");
    HookGuard hook([&](QDialog& d) {
        auto& dialog = dynamic_cast<CEditNameDialog&>(d);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Edit Category Name"));
        auto* edit = dialog.control<QLineEdit>(CEditNameDialog::NameEdit);
        offered = edit->text();
        edit->setText(typed);
        return answer;
    });

    button(page.control(CCategoriesPP::RenameButton))->click();
    EXPECT_EQ(offered, QStringLiteral("Family"));
    EXPECT_EQ(listEntries(combo), (QStringList{"Family", "Work"}));
    EXPECT_FALSE(page.changed());

    answer = QDialog::Accepted;
    typed = QString();
    button(page.control(CCategoriesPP::RenameButton))->click();
    EXPECT_EQ(listEntries(combo), (QStringList{"", "Work"}));
    EXPECT_EQ(combo->editText(), QString());
    EXPECT_EQ(combo->currentIndex(), 0);

    Categories c;
    c.categoryNames = {"Family", "Work"};
    c.categoryStore.Add("Ann", 0x1);
    const auto outcome = page.Commit(c);
    EXPECT_TRUE(outcome.namesChanged);
    EXPECT_FALSE(outcome.usStyleChanged);
    EXPECT_EQ(c.categoryNames, (std::vector<std::string>{"", "Work"}));
    EXPECT_TRUE(c.IsInCategory("Ann", 0));
}

// OK hands back the names, renumbers the assignments for the deletions and reports the
// US-style change; the page alone changes nothing.
TEST(CategoryDialogs, PageCommitAppliesDeletionsAndUsStyle) {
    PageFixture f;
    Categories c;
    c.categoryNames = {"A", "B", "C", "D"};
    c.categoryStore.Add("in B", 0x2);
    c.categoryStore.Add("in C", 0x4);
    c.categoryStore.Add("in D", 0x8);
    const Categories before = c;

    CCategoriesPP page(c.categoryNames, true, f.settings);
    auto* combo = page.control<CSimpleCombo>(CCategoriesPP::NameCombo);
    for (int index : {2, 0}) {
        combo->setCurrentIndex(index);
        button(page.control(CCategoriesPP::DeleteButton))->click();
    }
    combo->setEditText(QStringLiteral("E"));
    button(page.control(CCategoriesPP::AddButton))->click();
    page.control<QCheckBox>(CCategoriesPP::UsStyleCheck)->setChecked(false);
    EXPECT_TRUE(page.changed());
    EXPECT_EQ(c, before);

    const auto outcome = page.Commit(c);
    EXPECT_TRUE(outcome.namesChanged);
    EXPECT_TRUE(outcome.usStyleChanged);
    EXPECT_FALSE(outcome.usStyle);
    EXPECT_EQ(c.categoryNames, (std::vector<std::string>{"B", "D", "E"}));
    ASSERT_EQ(c.categoryStore.GetSize(), 2);
    EXPECT_TRUE(c.IsInCategory("in B", 0));
    EXPECT_TRUE(c.IsInCategory("in D", 1));
    EXPECT_FALSE(c.IsInCategory("in D", 2));
}

TEST(CategoryDialogs, PageClearEmptiesTheRefreshToken) {
    PageFixture f;
    f.settings.writeString(QStringLiteral("RefreshToken"), QStringLiteral("1//stored-token"));
    CCategoriesPP page({}, false, f.settings);
    button(page.control(CCategoriesPP::ClearTokenButton))->click();
    EXPECT_EQ(f.settings.readString(QStringLiteral("RefreshToken"), QStringLiteral("absent")),
              QString());
    ASSERT_EQ(f.prompt.shown.size(), 1u);
    EXPECT_EQ(f.prompt.shown[0].text, QStringLiteral("Token cleared"));
    EXPECT_EQ(f.prompt.shown[0].caption, QStringLiteral("Quillmark"));
    EXPECT_EQ(f.prompt.shown[0].buttons, Prompt::Buttons::Ok);
    EXPECT_FALSE(page.changed()); // clearing happens at once, not on OK
}

// "Change..." picks the address book folder; it is stored only when the sheet's OK commits.
TEST(CategoryDialogs, PageChangesTheAddressBookFolderOnOk) {
    PageFixture f;
    f.settings.writeString(QStringLiteral("AddressBookFolder"), QStringLiteral("/home/pat/Cards"));
    Categories c;
    {
        CCategoriesPP page({}, false, f.settings);
        EXPECT_EQ(page.addressBookFolder(), QStringLiteral("/home/pat/Cards"));
        EXPECT_EQ(page.control(CCategoriesPP::AddressBookPath)->toolTip(),
                  QStringLiteral("/home/pat/Cards"));
        button(page.control(CCategoriesPP::ChangeAddressBookButton))->click(); // cancelled
        EXPECT_FALSE(page.changed());
        f.prompt.folderWith(QStringLiteral("/home/pat/.local/share/contacts/family"));
        button(page.control(CCategoriesPP::ChangeAddressBookButton))->click();
        ASSERT_EQ(f.prompt.folderRequests.size(), 2u);
        EXPECT_EQ(f.prompt.folderRequests[1].start, QStringLiteral("/home/pat/Cards"));
        EXPECT_TRUE(page.changed());
        EXPECT_EQ(f.settings.readString(QStringLiteral("AddressBookFolder"), {}),
                  QStringLiteral("/home/pat/Cards")); // not before OK
        const auto outcome = page.Commit(c);
        EXPECT_TRUE(outcome.addressBookFolderChanged);
        EXPECT_FALSE(outcome.namesChanged);
    }
    EXPECT_EQ(f.settings.readString(QStringLiteral("AddressBookFolder"), {}),
              QStringLiteral("/home/pat/.local/share/contacts/family"));

    CCategoriesPP unchanged({}, false, f.settings);
    EXPECT_FALSE(unchanged.Commit(c).addressBookFolderChanged);
}

// The assign dialog marks the categories of the selected contacts, and Set and Remove
// change the marks, the Remove button and the working store.
TEST(CategoryDialogs, AssignDialogMarksSetsAndRemoves) {
    CMyContactsArray store;
    store.Add("Ann Lee", 0x2);
    store.Add("Dee", 0x1);
    CCategoryDialog dialog({"Family", "Work", "Club"}, store, {"Ann Lee", "Bob"});
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Assign Category"));
    auto* combo = dialog.control<QComboBox>(CCategoryDialog::CategoryCombo);
    auto* remove = dialog.control(CCategoryDialog::RemoveButton);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(comboEntries(combo), (QStringList{"Family", "Work *", "Club"}));
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_TRUE(remove->isEnabled());

    combo->setCurrentIndex(2);
    EXPECT_FALSE(remove->isEnabled());
    combo->setCurrentIndex(1);
    EXPECT_TRUE(remove->isEnabled());

    combo->setCurrentIndex(0);
    button(dialog.control(CCategoryDialog::SetButton))->click();
    EXPECT_EQ(comboEntries(combo), (QStringList{"Family *", "Work *", "Club"}));
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_TRUE(remove->isEnabled());

    combo->setCurrentIndex(1);
    button(remove)->click();
    EXPECT_EQ(comboEntries(combo), (QStringList{"Family *", "Work", "Club"}));
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_FALSE(remove->isEnabled());

    const CMyContactsArray& result = dialog.store();
    ASSERT_EQ(result.GetSize(), 3);
    EXPECT_EQ(result.GetAt(0), "Ann Lee");
    EXPECT_EQ(result.GetMask(0), 0x1u);
    EXPECT_EQ(result.GetAt(1), "Dee");
    EXPECT_EQ(result.GetMask(1), 0x1u);
    EXPECT_EQ(result.GetAt(2), "Bob");
    EXPECT_EQ(result.GetMask(2), 0x1u);
    EXPECT_EQ(store.GetMask(0), 0x2u); // the caller's store is untouched until OK
}

// The "Category..." command: OK replaces the store by the dialog's, Cancel keeps it.
TEST(CategoryDialogs, AssignCommandWritesBackOnlyOnOk) {
    Categories c;
    c.categoryNames = {"Family", "Work"};
    c.categoryStore.Add("Ann", 0x1);

    for (const int answer : {QDialog::Rejected, QDialog::Accepted}) {
        HookGuard hook([&](QDialog& d) {
            auto& dialog = dynamic_cast<CCategoryDialog&>(d);
            dialog.control<QComboBox>(CCategoryDialog::CategoryCombo)->setCurrentIndex(1);
            button(dialog.control(CCategoryDialog::SetButton))->click();
            return answer;
        });
        const bool ok = CCategoryDialog::Run(c, {"Ann", "Ann"});
        EXPECT_EQ(ok, answer == QDialog::Accepted);
        EXPECT_EQ(c.categoryStore.GetMask(0), ok ? 0x3u : 0x1u);
        EXPECT_EQ(c.categoryStore.GetSize(), 1);
    }
}

// Not a check: draws the page and both dialogs to PNGs for a look, when asked to.
TEST(CategoryDialogs, Screenshots) {
    const QString dir = qEnvironmentVariable("QM_SHOTS_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "set QM_SHOTS_DIR to write the pictures";
    QDir().mkpath(dir);
    PageFixture f;
    CCategoriesPP page({"Family", "Work", "Christmas cards", "Club"}, true, f.settings);
    page.control<CSimpleCombo>(CCategoriesPP::NameCombo)->setCurrentIndex(1);
    page.grab().save(dir + QStringLiteral("/categories_page.png"));

    CEditDetails details(QStringLiteral("Dr. Bea Cole\r\nFlat 2, Rose House\r\n12 Long Lane\r\n"
                                        "Leeds\r\nLS1 1AA\r\n"));
    details.grab().save(dir + QStringLiteral("/edit_contact_details.png"));

    CEditNameDialog name(QStringLiteral("Work"));
    name.grab().save(dir + QStringLiteral("/edit_name_dialog.png"));

    CMyContactsArray store;
    store.Add("Ann Lee", 0x1);
    CCategoryDialog assign({"Family", "Work"}, store, {"Ann Lee"});
    assign.grab().save(dir + QStringLiteral("/assign_category_dialog.png"));
}
