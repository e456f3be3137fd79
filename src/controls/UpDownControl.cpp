#include "controls/UpDownControl.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

UpDownControl::UpDownControl(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton* b : {up_, down_}) {
        b->setArrowType(b == up_ ? Qt::UpArrow : Qt::DownArrow);
        b->setAccessibleName(b == up_ ? QStringLiteral("Up") : QStringLiteral("Down"));
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        b->setIconSize(QSize(6, 6));
        layout->addWidget(b);
    }
    connect(up_, &QToolButton::clicked, this, [this] { step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
}

void UpDownControl::setBuddy(QLineEdit* buddy) {
    buddy_ = buddy;
    buddy_->installEventFilter(this);
}

void UpDownControl::setRange(int lower, int upper) {
    lower_ = lower;
    upper_ = upper;
}

int UpDownControl::position() const {
    if (!buddy_)
        return lower_;
    bool ok = false;
    const int v = buddy_->text().trimmed().toInt(&ok);
    return ok && v >= lower_ && v <= upper_ ? v : lower_;
}

void UpDownControl::setPosition(int value) {
    if (buddy_)
        buddy_->setText(QString::number(value));
}

void UpDownControl::step(int delta) {
    if (!buddy_)
        return;
    bool ok = false;
    const int v = buddy_->text().trimmed().toInt(&ok);
    // Stepping from text that is no number in range starts again at the lower limit.
    setPosition(ok && v >= lower_ && v <= upper_ ? std::clamp(v + delta, lower_, upper_) : lower_);
}

bool UpDownControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == buddy_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
