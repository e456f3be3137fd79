#include "labels/ui/SpinArrows.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

SpinArrows::SpinArrows(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton* b : {up_, down_}) {
        b->setArrowType(b == up_ ? Qt::UpArrow : Qt::DownArrow);
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        b->setIconSize(QSize(5, 5));
        layout->addWidget(b);
    }
    connect(up_, &QToolButton::clicked, this, [this] { step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
}

void SpinArrows::setBuddy(QLineEdit* buddy) {
    buddy_ = buddy;
    buddy_->installEventFilter(this);
}

void SpinArrows::setRange(int lower, int upper) {
    lower_ = lower;
    upper_ = upper;
}

void SpinArrows::step(int delta) {
    if (buddy_ == nullptr)
        return;
    bool ok = false;
    int v = buddy_->text().trimmed().toInt(&ok);
    if (!ok || v < lower_ || v > upper_)
        v = lower_;
    else
        v = std::clamp(v + delta, lower_, upper_);
    buddy_->setText(QString::number(v));
}

bool SpinArrows::eventFilter(QObject* watched, QEvent* event) {
    if (watched == buddy_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
