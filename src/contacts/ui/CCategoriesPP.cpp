#include "contacts/ui/CCategoriesPP.h"

#include "contacts/AddressBookReader.h"
#include "contacts/Categories.h"
#include "contacts/ui/CEditNameDialog.h"
#include "contacts/ui/CSimpleCombo.h"
#include "platform/Prompt.h"
#include "platform/SettingsStore.h"
#include "platform/ui/DialogRunner.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr int kWidth = 287;
constexpr int kHeight = 191;

QString toQ(const std::string& s) {
    return QString::fromStdString(s);
}
} // namespace

CCategoriesPP::CCategoriesPP(std::vector<std::string> names, bool usStyle, SettingsStore& settings,
                             QWidget* parent)
    : QWidget(parent), template_(this), names_(std::move(names)), usStyleAtOpen_(usStyle),
      settings_(settings) {
    template_.place(new QGroupBox(QStringLiteral("Categories")), 0, 7, 7, 273, 118);
    combo_ = template_.place(new CSimpleCombo, NameCombo, 17, 21, 160, 96);
    add_ = template_.place(new QPushButton(QStringLiteral("Add")), AddButton, 190, 21, 50, 14);
    delete_ =
        template_.place(new QPushButton(QStringLiteral("Delete")), DeleteButton, 190, 40, 50, 14);
    rename_ =
        template_.place(new QPushButton(QStringLiteral("Rename")), RenameButton, 190, 59, 50, 14);
    usStyleCheck_ =
        template_.place(new QCheckBox(QStringLiteral(
                            "Use US style address format on labels (will reload contact list)")),
                        UsStyleCheck, 7, 136, 273, 10);
    template_.place(
        new QLabel(QStringLiteral("Clear Google refresh token to allow alternative sign-in")), 0, 7,
        162, 200, 8);
    auto* clear = template_.place(new QPushButton(QStringLiteral("Clear")), ClearTokenButton, 216,
                                  159, 50, 14);
    template_.place(new QLabel(QStringLiteral("Address book folder:")), 0, 7, 179, 68, 8);
    addressBookPath_ = template_.place(new QLabel, AddressBookPath, 77, 179, 134, 8);
    addressBookPath_->setTextFormat(Qt::PlainText);
    auto* changeFolder = template_.place(new QPushButton(QStringLiteral("Change...")),
                                         ChangeAddressBookButton, 216, 176, 50, 14);
    setFixedSize(template_.size(kWidth, kHeight));

    for (const std::string& name : names_.names())
        combo_->addItem(toQ(name));
    usStyleCheck_->setChecked(usStyle);
    addressBookFolder_ = addressBookFolderAtOpen_ = AddressBookReader::StoredFolder(settings_);
    ShowAddressBookFolder();

    combo_->lineEdit()->setAccessibleName(QStringLiteral("Category name"));
    combo_->list()->setAccessibleName(QStringLiteral("Categories"));
    // Enter in the name field adds the name; it would otherwise close the sheet.
    combo_->lineEdit()->installEventFilter(this);
    connect(combo_, &CSimpleCombo::editTextChanged, this, &CCategoriesPP::UpdateButtons);
    connect(combo_, &CSimpleCombo::selectionChanged, this, &CCategoriesPP::UpdateButtons);
    connect(add_, &QPushButton::clicked, this, &CCategoriesPP::OnAdd);
    connect(delete_, &QPushButton::clicked, this, &CCategoriesPP::OnDelete);
    connect(rename_, &QPushButton::clicked, this, &CCategoriesPP::OnRename);
    connect(clear, &QPushButton::clicked, this, &CCategoriesPP::OnClearToken);
    connect(changeFolder, &QPushButton::clicked, this, &CCategoriesPP::OnChangeAddressBook);
    UpdateButtons();
}

bool CCategoriesPP::usStyle() const {
    return usStyleCheck_->isChecked();
}

bool CCategoriesPP::changed() const {
    return names_.changed() || usStyle() != usStyleAtOpen_ ||
           addressBookFolder_ != addressBookFolderAtOpen_;
}

CCategoriesPP::Outcome CCategoriesPP::Commit(Categories& categories) const {
    Outcome outcome;
    outcome.namesChanged = names_.changed();
    outcome.usStyle = usStyle();
    outcome.usStyleChanged = outcome.usStyle != usStyleAtOpen_;
    categories.categoryNames = names_.names();
    if (names_.deletedMask() != 0)
        categories.RenumberCategories(names_.deletedMask());
    if (addressBookFolder_ != addressBookFolderAtOpen_) {
        AddressBookReader::StoreFolder(settings_, addressBookFolder_);
        outcome.addressBookFolderChanged = true;
    }
    return outcome;
}

bool CCategoriesPP::eventFilter(QObject* watched, QEvent* event) {
    if (watched == combo_->lineEdit() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && add_->isEnabled()) {
            OnAdd();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CCategoriesPP::UpdateButtons() {
    add_->setEnabled(!combo_->editText().isEmpty());
    const bool selected = combo_->currentIndex() >= 0;
    delete_->setEnabled(selected);
    rename_->setEnabled(selected);
}

void CCategoriesPP::OnAdd() {
    const QString name = combo_->editText();
    if (names_.Add(name.toStdString()) == CategoryNameList::AddResult::TooMany) {
        showMessage(QStringLiteral("Sorry, only 30 categories are allowed"), kAppCaption,
                    Prompt::Buttons::Ok, Prompt::Icon::Error);
        return;
    }
    combo_->addItem(name);
}

void CCategoriesPP::OnDelete() {
    const int index = combo_->currentIndex();
    if (index < 0)
        return;
    names_.Delete(index);
    combo_->removeItem(index);
    UpdateButtons();
}

void CCategoriesPP::OnRename() {
    const int index = combo_->currentIndex();
    if (index < 0)
        return;
    CEditNameDialog dialog(combo_->editText(), this);
    if (DialogRunner::exec(dialog) != QDialog::Accepted)
        return;
    const QString name = dialog.name();
    names_.Rename(index, name.toStdString());
    combo_->setItemText(index, name);
    combo_->setEditText(name);
}

void CCategoriesPP::OnClearToken() {
    settings_.writeString(QStringLiteral("RefreshToken"), QString());
    showMessage(QStringLiteral("Token cleared"));
}

void CCategoriesPP::OnChangeAddressBook() {
    const auto folder =
        prompt().chooseFolder(QStringLiteral("Choose the address book folder"), addressBookFolder_);
    if (!folder)
        return;
    addressBookFolder_ = *folder;
    ShowAddressBookFolder();
}

void CCategoriesPP::ShowAddressBookFolder() {
    // A long path keeps its start and its last folder in view.
    addressBookPath_->setText(addressBookPath_->fontMetrics().elidedText(
        addressBookFolder_, Qt::ElideMiddle, addressBookPath_->width()));
    addressBookPath_->setToolTip(addressBookFolder_);
}
