#pragma once

#include "platform/ui/DialogTemplate.h"

#include <QDialog>

class QPlainTextEdit;

// "Edit Contact Details" ("New Contact Details" for an empty text): one multi-line field
// holding a contact's text, in which Enter starts a new line, with OK and Cancel.
class CEditDetails : public QDialog {
    Q_OBJECT
public:
    enum Id { DetailsEdit = 1127, OkButton = 1, CancelButton = 2 };

    // text: lines separated by CR LF.
    explicit CEditDetails(const QString& text, QWidget* parent = nullptr);

    // The field's text with lines separated by CR LF; taken by OK, unchanged by Cancel.
    QString text() const { return text_; }

    QPlainTextEdit* editor() const { return edit_; }
    QWidget* control(int id) const { return template_.control(id); }

    void accept() override;

private:
    DialogTemplate template_;
    QPlainTextEdit* edit_;
    QString text_;
};
