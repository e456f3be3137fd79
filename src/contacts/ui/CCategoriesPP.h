#pragma once

#include "contacts/CategoryNameList.h"
#include "platform/ui/DialogTemplate.h"

#include <QWidget>
#include <cstdint>
#include <string>
#include <vector>

class Categories;
class CSimpleCombo;
class QCheckBox;
class QLabel;
class QPushButton;
class SettingsStore;

// The "Categories and more" page of the settings sheet: the category names (add, delete,
// rename), the US-style address option, clearing the Google refresh token and the address
// book folder. It works on copies; the sheet calls Commit when it is closed with OK and does
// nothing on Cancel.
class CCategoriesPP : public QWidget {
    Q_OBJECT
public:
    enum Id {
        NameCombo = 1104,
        AddButton = 1004,
        DeleteButton = 1108,
        RenameButton = 1112,
        UsStyleCheck = 1155,
        ClearTokenButton = 1129,
        AddressBookPath = 1130,
        ChangeAddressBookButton = 1131,
    };

    // settings is where "Clear" empties the refresh token, at once.
    CCategoriesPP(std::vector<std::string> names, bool usStyle, SettingsStore& settings,
                  QWidget* parent = nullptr);

    static QString title() { return QStringLiteral("Categories and more"); }

    // What OK changes, for the sheet and the main window to act on.
    struct Outcome {
        bool namesChanged = false;   // names or assignments changed: refill the category combo
        bool usStyleChanged = false; // store usStyle and reload the contact list
        bool usStyle = false;
        bool addressBookFolderChanged = false; // stored; reload an address book list
    };
    // Applies the page: the names replace categories' names, deleted categories are
    // renumbered out of its store, a changed address book folder is stored, and the
    // US-style choice is reported.
    [[nodiscard]] Outcome Commit(Categories& categories) const;

    // The page's state as OK would take it.
    const std::vector<std::string>& names() const { return names_.names(); }
    std::uint32_t deletedMask() const { return names_.deletedMask(); }
    bool usStyle() const;
    const QString& addressBookFolder() const { return addressBookFolder_; }
    bool changed() const;

    QWidget* control(int id) const { return template_.control(id); }
    template <typename T> T* control(int id) const { return qobject_cast<T*>(control(id)); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void UpdateButtons();
    void OnAdd();
    void OnDelete();
    void OnRename();
    void OnClearToken();
    void OnChangeAddressBook();
    void ShowAddressBookFolder();

    DialogTemplate template_;
    CategoryNameList names_;
    bool usStyleAtOpen_;
    SettingsStore& settings_;
    CSimpleCombo* combo_;
    QPushButton* add_;
    QPushButton* delete_;
    QPushButton* rename_;
    QCheckBox* usStyleCheck_;
    QString addressBookFolder_;
    QString addressBookFolderAtOpen_;
    QLabel* addressBookPath_;
};
