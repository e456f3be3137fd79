#include "contacts/ui/CSimpleCombo.h"

#include <QLineEdit>
#include <QListWidget>

CSimpleCombo::CSimpleCombo(QWidget* parent)
    : QWidget(parent), edit_(new QLineEdit(this)), list_(new QListWidget(this)) {
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    setFocusProxy(edit_);
    connect(edit_, &QLineEdit::textChanged, this, &CSimpleCombo::editTextChanged);
    connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
        const int index = currentIndex();
        if (index >= 0)
            edit_->setText(list_->item(index)->text());
        Q_EMIT selectionChanged(index);
    });
}

QString CSimpleCombo::editText() const {
    return edit_->text();
}

void CSimpleCombo::setEditText(const QString& text) {
    edit_->setText(text);
}

int CSimpleCombo::count() const {
    return list_->count();
}

QString CSimpleCombo::itemText(int index) const {
    return list_->item(index)->text();
}

void CSimpleCombo::addItem(const QString& text) {
    list_->addItem(text);
}

void CSimpleCombo::removeItem(int index) {
    delete list_->takeItem(index);
    // Like the platform's list, a deletion leaves nothing selected.
    list_->clearSelection();
    list_->setCurrentRow(-1);
}

void CSimpleCombo::setItemText(int index, const QString& text) {
    list_->item(index)->setText(text);
}

int CSimpleCombo::currentIndex() const {
    const auto selected = list_->selectedItems();
    return selected.isEmpty() ? -1 : list_->row(selected.first());
}

void CSimpleCombo::setCurrentIndex(int index) {
    if (index < 0) {
        list_->clearSelection();
        list_->setCurrentRow(-1);
    } else {
        list_->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    }
}

void CSimpleCombo::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int editHeight = edit_->sizeHint().height();
    edit_->setGeometry(0, 0, width(), editHeight);
    list_->setGeometry(0, editHeight, width(), height() - editHeight);
}
