#pragma once

#include <QString>
#include <QWidget>

class QLineEdit;
class QListWidget;

// A combo box of the "simple" style: an edit field above a list that is always open.
// Picking a list entry copies its text into the edit field.
class CSimpleCombo : public QWidget {
    Q_OBJECT
public:
    explicit CSimpleCombo(QWidget* parent = nullptr);

    QString editText() const;
    void setEditText(const QString& text);

    int count() const;
    QString itemText(int index) const;
    void addItem(const QString& text);
    void removeItem(int index);
    void setItemText(int index, const QString& text);
    // -1 when no entry is selected.
    int currentIndex() const;
    void setCurrentIndex(int index);

    QLineEdit* lineEdit() const { return edit_; }
    QListWidget* list() const { return list_; }

Q_SIGNALS:
    void editTextChanged(const QString& text);
    void selectionChanged(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QLineEdit* edit_;
    QListWidget* list_;
};
