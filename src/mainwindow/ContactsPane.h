#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CQuillmarkDlg;
class ImportDialogImporter;
class QListWidget;

// The upper band of the main window: the contact list shown as names, filtered by address
// and category, with its caption and the commands that open, save and sort contact lists.
class ContactsPane : public QObject {
    Q_OBJECT
public:
    explicit ContactsPane(CQuillmarkDlg& dlg);
    ~ContactsPane() override;

    void FillContactsPane();
    bool IsContactShown(const std::string& displayText, bool hasAddress) const;
    void UpdateContactsTitle();
    void RefreshContacts(bool reload);
    void FillCategoryCombo();
    void SetCategoryFilter(bool showAll);
    void SelectAll();
    void ToggleSortByLastName();

    void NewContactList();
    void OpenContactList();
    // Asks whether to save a changed list; false when the user cancelled. With mustSave
    // (closing the window), Yes followed by a cancelled or failed save is false as well.
    bool QuerySaveContacts(bool mustSave = false);
    // Loads from a source and refills the pane when contacts came.
    bool LoadContacts(std::uint8_t kind, QString& fileName);

    // Indexes into the contact list of the selected items, in pane order.
    std::vector<int> SelectedContacts() const;
    int ShownCount() const;

    // Set by the label list: what follows a change of the selection, and a double click.
    std::function<void()> updateControls;
    std::function<void()> addToLabelList;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void runUpdateControls() const;

    CQuillmarkDlg& dlg;
    QListWidget* list;
    bool sortTicked = false;
    // Foreign delimited files opened as contact lists go through the import dialog.
    std::unique_ptr<ImportDialogImporter> importer;
};
