#pragma once

#include "contacts/CategoryAssignment.h"
#include "platform/ui/DialogTemplate.h"

#include <QDialog>
#include <string>
#include <vector>

class Categories;
class QComboBox;
class QPushButton;

// "Assign Category": sets or removes one category for the contacts selected in the pane.
// It works on a copy of the assignment store; OK hands the copy back, Cancel drops it.
class CCategoryDialog : public QDialog {
    Q_OBJECT
public:
    enum Id {
        CategoryCombo = 1110,
        SetButton = 1111,
        RemoveButton = 3,
        OkButton = 1,
        CancelButton = 2,
    };

    // selected: the display texts (item texts) of the selected contacts, in pane order.
    CCategoryDialog(std::vector<std::string> names, const CMyContactsArray& store,
                    std::vector<std::string> selected, QWidget* parent = nullptr);

    // The "Category..." command: runs the dialog and, on OK, replaces categories' store by
    // the dialog's. True on OK (the pane then needs a refresh).
    static bool Run(Categories& categories, std::vector<std::string> selected,
                    QWidget* parent = nullptr);

    // The working store, as OK hands it back.
    const CMyContactsArray& store() const { return assignment_.store(); }

    QWidget* control(int id) const { return template_.control(id); }
    template <typename T> T* control(int id) const { return qobject_cast<T*>(control(id)); }

private:
    void FillCombo();
    void OnSelectionChange();
    void OnSet();
    void OnRemove();
    void ShowEntry(int k);

    DialogTemplate template_;
    std::vector<std::string> names_;
    CategoryAssignment assignment_;
    QComboBox* combo_;
    QPushButton* remove_;
};
