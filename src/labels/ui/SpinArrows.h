#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// An up-down control: two arrows that step the number in their buddy field within a range.
// The field itself may hold whatever is typed; stepping from text that is no number in range
// starts at the lower limit.
class SpinArrows : public QWidget {
    Q_OBJECT
public:
    explicit SpinArrows(QWidget* parent = nullptr);

    void setBuddy(QLineEdit* buddy);
    void setRange(int lower, int upper);
    int lower() const { return lower_; }
    int upper() const { return upper_; }
    void step(int delta);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* buddy_ = nullptr;
    QToolButton* up_;
    QToolButton* down_;
    int lower_ = 0;
    int upper_ = 100;
};
