#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// A pair of arrows that steps the number in its buddy edit box, within a range; the Up and
// Down keys in the box step it too. The box itself may hold any text the user types.
class UpDownControl : public QWidget {
    Q_OBJECT
public:
    explicit UpDownControl(QWidget* parent = nullptr);

    void setBuddy(QLineEdit* buddy);
    void setRange(int lower, int upper);
    int lower() const { return lower_; }
    int upper() const { return upper_; }
    // The position is the buddy's number; text that is not a number in range reads as lower.
    int position() const;
    void setPosition(int value);
    void step(int delta);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* buddy_ = nullptr;
    QToolButton* up_;
    QToolButton* down_;
    int lower_ = 1;
    int upper_ = 100;
};
