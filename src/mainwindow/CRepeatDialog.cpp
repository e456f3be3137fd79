#include "mainwindow/CRepeatDialog.h"

#include "controls/UpDownControl.h"
#include "platform/Prompt.h"
#include "platform/ui/DialogUnits.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

namespace {
constexpr int kWidth = 216, kHeight = 50; // dialog units
} // namespace

CRepeatDialog::CRepeatDialog(int initialCount, QWidget* parent)
    : QDialog(parent), count(initialCount), box(new QLineEdit(this)),
      spin(new UpDownControl(this)) {
    setWindowTitle(QStringLiteral("Repeat Label"));
    setFont(DialogUnits::dialogFont());
    const DialogUnits du(font());
    setFixedSize(du.toPixelsX(kWidth), du.toPixelsY(kHeight));

    auto* text = new QLabel(QStringLiteral("Repeat this label in list how many times?"), this);
    text->setGeometry(du.toPixels(7, 9, 148, 9));
    text->setBuddy(box);
    box->setGeometry(du.toPixels(7, 25, 32, 12));
    box->setProperty("controlId", kCountBox);
    spin->setGeometry(du.toPixels(39, 25, 11, 12));
    spin->setProperty("controlId", kCountSpin);
    spin->setBuddy(box);
    spin->setRange(kMinCount, kMaxCount);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(du.toPixels(159, 7, 50, 14));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setGeometry(du.toPixels(159, 25, 50, 14));
    connect(ok, &QPushButton::clicked, this, &CRepeatDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &CRepeatDialog::reject);

    box->setText(QString::number(count));
}

void CRepeatDialog::showEvent(QShowEvent* event) {
    box->selectAll();
    box->setFocus();
    QDialog::showEvent(event);
}

void CRepeatDialog::accept() {
    bool isNumber = false;
    const int v = box->text().trimmed().toInt(&isNumber);
    QString problem;
    if (!isNumber)
        problem = QStringLiteral("Enter an integer.");
    else if (v < kMinCount || v > kMaxCount)
        problem =
            QStringLiteral("Enter an integer between %1 and %2.").arg(kMinCount).arg(kMaxCount);
    if (!problem.isEmpty()) {
        showMessage(problem);
        box->selectAll();
        box->setFocus();
        return;
    }
    count = v;
    QDialog::accept();
}
