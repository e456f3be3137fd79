#pragma once

#include <QDialog>

class QLineEdit;
class UpDownControl;

// Asks how many copies of the current label to insert behind it.
class CRepeatDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kCountBox = 1097;
    static constexpr int kCountSpin = 1059;
    static constexpr int kMinCount = 1;
    static constexpr int kMaxCount = 998;

    // The box starts with count; count holds the accepted number afterwards.
    explicit CRepeatDialog(int count, QWidget* parent = nullptr);

    int count;

    QLineEdit* countBox() const { return box; }

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* box;
    UpDownControl* spin;
};
