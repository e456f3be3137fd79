#include "contacts/ui/CCategoryDialog.h"

#include "contacts/Categories.h"
#include "platform/ui/DialogRunner.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {
constexpr int kWidth = 203;
constexpr int kHeight = 116;
} // namespace

CCategoryDialog::CCategoryDialog(std::vector<std::string> names, const CMyContactsArray& store,
                                 std::vector<std::string> selected, QWidget* parent)
    : QDialog(parent), template_(this), names_(std::move(names)),
      assignment_(store, std::move(selected)) {
    setWindowTitle(QStringLiteral("Assign Category"));
    template_.place(
        new QLabel(QStringLiteral("Set or remove this category for selected contacts?")), 0, 7, 7,
        189, 8);
    combo_ = template_.place(new QComboBox, CategoryCombo, 7, 21, 130, 100);
    // The template height is the drop-down's; the box itself is one line.
    combo_->resize(combo_->width(), combo_->sizeHint().height());
    auto* set = template_.place(new QPushButton(QStringLiteral("Set")), SetButton, 146, 20, 50, 14);
    remove_ =
        template_.place(new QPushButton(QStringLiteral("Remove")), RemoveButton, 146, 38, 50, 14);
    auto* note = template_.place(
        new QLabel(QStringLiteral("An asterisk * after a category name indicates at least one "
                                  "of the selected contacts already belongs to it")),
        0, 7, 60, 189, 18);
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* ok = template_.place(new QPushButton(QStringLiteral("OK")), OkButton, 92, 95, 50, 14);
    auto* cancel =
        template_.place(new QPushButton(QStringLiteral("Cancel")), CancelButton, 146, 95, 50, 14);
    ok->setDefault(true);
    setFixedSize(template_.size(kWidth, kHeight));

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(set, &QPushButton::clicked, this, &CCategoryDialog::OnSet);
    connect(remove_, &QPushButton::clicked, this, &CCategoryDialog::OnRemove);

    FillCombo();
    combo_->setCurrentIndex(combo_->count() > 0 ? 0 : -1);
    remove_->setEnabled(true);
    connect(combo_, &QComboBox::currentIndexChanged, this, &CCategoryDialog::OnSelectionChange);
}

bool CCategoryDialog::Run(Categories& categories, std::vector<std::string> selected,
                          QWidget* parent) {
    CCategoryDialog dialog(categories.categoryNames, categories.categoryStore, std::move(selected),
                           parent);
    if (DialogRunner::exec(dialog) != QDialog::Accepted)
        return false;
    categories.categoryStore.RemoveAll();
    categories.categoryStore.Append(dialog.store());
    return true;
}

void CCategoryDialog::FillCombo() {
    const int selection = combo_->currentIndex();
    const QSignalBlocker quiet(combo_);
    combo_->clear();
    for (std::size_t k = 0; k < names_.size(); ++k) {
        combo_->addItem(
            QString::fromStdString(assignment_.EntryText(names_[k], static_cast<int>(k))));
    }
    combo_->setCurrentIndex(selection);
}

void CCategoryDialog::OnSelectionChange() {
    const int k = combo_->currentIndex();
    remove_->setEnabled(k >= 0 && assignment_.AnySelectedIn(k));
}

void CCategoryDialog::ShowEntry(int k) {
    const bool marked = assignment_.AnySelectedIn(k);
    combo_->setItemText(
        k, QString::fromStdString(assignment_.EntryText(names_[static_cast<std::size_t>(k)], k)));
    combo_->setCurrentIndex(k);
    remove_->setEnabled(marked);
}

void CCategoryDialog::OnSet() {
    const int k = combo_->currentIndex();
    if (k < 0)
        return;
    assignment_.Set(k);
    ShowEntry(k);
}

void CCategoryDialog::OnRemove() {
    const int k = combo_->currentIndex();
    if (k < 0)
        return;
    assignment_.Remove(k);
    ShowEntry(k);
}
