#pragma once

#include "platform/ui/DialogTemplate.h"

#include <QDialog>
#include <QStringList>
#include <cstdint>

class QCheckBox;
class QComboBox;

// "Load Google Contacts": which group to load ("All contacts" or one of the account's
// groups) and whether work/business addresses are wanted rather than home ones.
class CGetGroups : public QDialog {
    Q_OBJECT
public:
    enum Id { OkButton = 1, CancelButton = 2, GroupCombo = 1162, WorkCheck = 1163 };

    // Opens with "All contacts" and then the groups offered, and the check box as given.
    CGetGroups(QStringList groups, std::int32_t work, QWidget* parent = nullptr);

    QStringList offeredGroups;
    std::int32_t workAddresses = 0;
    // After OK: 0 "All contacts", n the n-th group, -1 nothing selected.
    std::int32_t selection = -1;

    QWidget* control(int id) const { return template_.control(id); }
    template <typename T> T* control(int id) const { return qobject_cast<T*>(control(id)); }

    void accept() override;

private:
    DialogTemplate template_;
    QComboBox* combo_;
    QCheckBox* work_;
};
