#pragma once

#include "platform/ui/DialogTemplate.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

// Asks, once, for the client ID and secret of the user's own Google "Desktop app" client,
// with a sentence and a link saying where to create one.
class CClientCredentialsDlg : public QDialog {
    Q_OBJECT
public:
    enum Id { OkButton = 1, CancelButton = 2, ClientIdEdit = 1170, ClientSecretEdit = 1171 };

    explicit CClientCredentialsDlg(QWidget* parent = nullptr);

    QString clientId() const;
    QString clientSecret() const;

    static constexpr const char* kConsoleUrl = "https://console.cloud.google.com/apis/credentials";

    QWidget* control(int id) const { return template_.control(id); }
    template <typename T> T* control(int id) const { return qobject_cast<T*>(control(id)); }

private:
    void updateOk();

    DialogTemplate template_;
    QLineEdit* id_;
    QLineEdit* secret_;
    QPushButton* ok_;
};
