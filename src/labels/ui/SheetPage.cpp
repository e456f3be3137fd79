#include "labels/ui/SheetPage.h"

#include "platform/Prompt.h"

#include <QLabel>
#include <QLineEdit>

SheetPage::SheetPage(int templateWidth, int templateHeight, QWidget* parent) : QWidget(parent) {
    setFont(DialogUnits::dialogFont());
    setMinimumSize(units_.toPixelsX(templateWidth), units_.toPixelsY(templateHeight));
}

void SheetPage::activate() {
    if (!created_) {
        created_ = true;
        OnInitDialog();
    }
    OnSetActive();
}

void SheetPage::placeWidget(QWidget* widget, int id, int x, int y, int w, int h) {
    widget->setParent(this);
    widget->setFont(font());
    widget->setGeometry(units_.toPixels(x, y, w, h));
    if (id != 0) {
        controls_.insert(id, widget);
        widget->setObjectName(QStringLiteral("control%1").arg(id));
    }
}

QLabel* SheetPage::placeText(const QString& text, int x, int y, int w, int h, Qt::Alignment align,
                             QWidget* buddy) {
    auto* label = new QLabel(text, this);
    label->setAlignment(align);
    if (buddy != nullptr)
        label->setBuddy(buddy);
    placeWidget(label, 0, x, y, w, h);
    return label;
}

void SheetPage::failField(QWidget* field, const QString& message) {
    showMessage(message, kAppCaption, Prompt::Buttons::Ok, Prompt::Icon::Warning);
    if (field == nullptr)
        return;
    field->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->selectAll();
}
