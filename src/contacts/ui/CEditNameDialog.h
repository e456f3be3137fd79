#pragma once

#include "platform/ui/DialogTemplate.h"

#include <QDialog>

class QLineEdit;

// "Edit Category Name": one edit field holding the name, OK and Cancel.
class CEditNameDialog : public QDialog {
    Q_OBJECT
public:
    enum Id { NameEdit = 1113, OkButton = 1, CancelButton = 2 };

    explicit CEditNameDialog(const QString& name, QWidget* parent = nullptr);

    // The edit field's text; read after OK.
    QString name() const;

    QWidget* control(int id) const { return template_.control(id); }
    template <typename T> T* control(int id) const { return qobject_cast<T*>(control(id)); }

private:
    DialogTemplate template_;
    QLineEdit* edit_;
};
