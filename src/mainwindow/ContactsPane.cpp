#include "mainwindow/ContactsPane.h"

#include "contacts/ContactFileReader.h"
#include "contacts/ContactText.h"
#include "contacts/ui/ImportDialogImporter.h"
#include "mainwindow/CQuillmarkDlg.h"
#include "mainwindow/ControlIds.h"
#include "mainwindow/TipText.h"
#include "platform/AppPaths.h"
#include "platform/Prompt.h"
#include "platform/Text.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QToolTip>

namespace {

// A contact can be a whole file long (a quote that was never closed in an imported file);
// the pane and its tip show the beginning, as laying out megabytes of text would stall it.
constexpr std::size_t kMaxShownBytes = 2000;

QString ShownText(std::string_view text) {
    if (text.size() <= kMaxShownBytes)
        return Text::toQString(text);
    return Text::toQString(Text::cutUtf8(text, kMaxShownBytes)) + QChar(0x2026);
}

} // namespace

ContactsPane::ContactsPane(CQuillmarkDlg& owner)
    : QObject(&owner), dlg(owner), list(owner.control<QListWidget>(Id::ContactsList)) {
    list->viewport()->installEventFilter(this);
    connect(list, &QListWidget::itemDoubleClicked, this, [this] {
        if (addToLabelList)
            addToLabelList();
    });
    // Keyboard selection follows as well as mouse clicks, so Add To Label List is right.
    connect(list, &QListWidget::itemSelectionChanged, this, [this] { runUpdateControls(); });
    connect(dlg.control<QCheckBox>(Id::HideIfNoAddress), &QCheckBox::clicked, this,
            [this](bool checked) {
                dlg.hideIfNoAddress = checked ? 1 : 0;
                RefreshContacts(false);
            });
    connect(dlg.control<QRadioButton>(Id::ShowAll), &QRadioButton::clicked, this,
            [this] { SetCategoryFilter(true); });
    connect(dlg.control<QRadioButton>(Id::ShowCategory), &QRadioButton::clicked, this,
            [this] { SetCategoryFilter(false); });
    connect(dlg.control<QComboBox>(Id::CategoryCombo), &QComboBox::activated, this,
            [this] { RefreshContacts(false); });
    connect(dlg.control<QAbstractButton>(Id::SelectAll), &QAbstractButton::clicked, this,
            [this] { SelectAll(); });

    ContactList& contacts = dlg.contactList;
    importer = std::make_unique<ImportDialogImporter>(&dlg);
    if (ContactFileReader* reader = contacts.FileReader())
        reader->SetImporter(importer.get());
    dlg.setCommand(Id::NewContactList, [this] { NewContactList(); });
    dlg.setCommand(Id::OpenContactList, [this] { OpenContactList(); });
    dlg.setCommand(
        Id::SaveContacts,
        [this] {
            if (dlg.contactList.SaveContacts())
                UpdateContactsTitle();
        },
        [this, &contacts] {
            return ShownCount() > 0 && contacts.contactsModified &&
                   !contacts.contactFileName.isEmpty();
        });
    dlg.setCommand(
        Id::SaveContactsAs,
        [this] {
            if (dlg.contactList.SaveContactsAs() != ContactList::SaveAsResult::Cancelled)
                UpdateContactsTitle();
        },
        [this] { return ShownCount() > 0; });
    dlg.setCommand(Id::SortContactsByLastName, [this] { ToggleSortByLastName(); });
    dlg.setCommand(
        Id::LoadGoogleContacts,
        [this] {
            QString none;
            LoadContacts(ContactSource::kGoogle, none);
        },
        [&contacts] { return contacts.Reader(ContactSource::kGoogle) != nullptr; });
}

ContactsPane::~ContactsPane() {
    if (ContactFileReader* reader = dlg.contactList.FileReader())
        reader->SetImporter(nullptr);
}

int ContactsPane::ShownCount() const {
    return list->count();
}

void ContactsPane::runUpdateControls() const {
    if (updateControls)
        updateControls();
}

void ContactsPane::FillContactsPane() {
    dlg.contactsShown = 0;
    dlg.contactsTotal = 0;
    list->setUpdatesEnabled(false);
    list->clear();
    CSortStrArray& contacts = dlg.contactList.contacts;
    contacts.Sort();
    bool twoLines = false;
    for (int i = 0; i < contacts.GetSize(); ++i) {
        const ContactText::Display d = ContactText::DisplayText(contacts.GetAt(i));
        if (IsContactShown(d.text, d.hasAddress)) {
            // A contact of two lines without an address shows both, so that two such
            // contacts of the same name can be told apart.
            QString text = ShownText(d.text);
            text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            text.remove(QLatin1Char('\r'));
            twoLines = twoLines || text.contains(QLatin1Char('\n'));
            auto* item = new QListWidgetItem(text);
            item->setData(Qt::UserRole, i);
            list->addItem(item);
            ++dlg.contactsShown;
        }
        ++dlg.contactsTotal;
    }
    const int lineHeight = list->fontMetrics().height();
    list->setGridSize(QSize(list->gridSize().width(), (twoLines ? 2 : 1) * lineHeight + 2));
    // Uniform sizes take every item's size from the first one, which may have one line.
    list->setUniformItemSizes(!twoLines);
    list->setUpdatesEnabled(true);
}

bool ContactsPane::IsContactShown(const std::string& displayText, bool hasAddress) const {
    if (dlg.hideIfNoAddress && !hasAddress)
        return false;
    if (!dlg.filterByCategory)
        return true;
    const int k = dlg.control<QComboBox>(Id::CategoryCombo)->currentIndex();
    if (k < 0)
        return false;
    return dlg.categories.IsInCategory(displayText, k);
}

void ContactsPane::UpdateContactsTitle() {
    const ContactList& contacts = dlg.contactList;
    QString source;
    if (!contacts.contactFileName.isEmpty())
        source = AppPaths::lastComponent(contacts.contactFileName);
    else if (dlg.settings.prefs.contactSource == ContactSource::kWindowsContacts)
        source = QStringLiteral("Address Book:");
    else if (dlg.settings.prefs.contactSource == ContactSource::kGoogle)
        source = QStringLiteral("Google Contacts:");
    else
        source = QStringLiteral("Unsaved list");
    const QString caption =
        dlg.contactsShown == dlg.contactsTotal
            ? QStringLiteral("%1 (%2 entries)").arg(source).arg(dlg.contactsTotal)
            : QStringLiteral("%1 (showing %2/%3 entries)")
                  .arg(source)
                  .arg(dlg.contactsShown)
                  .arg(dlg.contactsTotal);
    dlg.control<QLabel>(Id::ContactsCaption)->setText(caption);
}

void ContactsPane::RefreshContacts(bool reload) {
    if (reload) {
        LoadContacts(dlg.settings.prefs.contactSource, dlg.contactList.contactFileName);
        return;
    }
    FillContactsPane();
    UpdateContactsTitle();
    runUpdateControls();
}

bool ContactsPane::LoadContacts(std::uint8_t kind, QString& fileName) {
    const bool loaded = dlg.contactList.LoadContacts(kind, fileName);
    if (loaded)
        RefreshContacts(false);
    return loaded;
}

void ContactsPane::FillCategoryCombo() {
    auto* combo = dlg.control<QComboBox>(Id::CategoryCombo);
    combo->clear();
    for (const std::string& name : dlg.categories.categoryNames)
        combo->addItem(Text::toQString(name));
    combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
    dlg.control(Id::ShowCategory)->setEnabled(combo->count() > 0);
}

void ContactsPane::SetCategoryFilter(bool showAll) {
    dlg.control(Id::CategoryCombo)->setEnabled(!showAll);
    dlg.filterByCategory = showAll ? 0 : 1;
    RefreshContacts(false);
}

void ContactsPane::SelectAll() {
    list->selectAll();
    runUpdateControls();
}

void ContactsPane::ToggleSortByLastName() {
    // The tick starts cleared at every start, whatever order the list was stored with.
    sortTicked = !sortTicked;
    dlg.command(Id::SortContactsByLastName)->setChecked(sortTicked);
    dlg.contactList.SetSortByLastName(sortTicked);
    RefreshContacts(false);
}

std::vector<int> ContactsPane::SelectedContacts() const {
    std::vector<int> out;
    for (int row = 0; row < list->count(); ++row) {
        const QListWidgetItem* item = list->item(row);
        if (item->isSelected())
            out.push_back(item->data(Qt::UserRole).toInt());
    }
    return out;
}

bool ContactsPane::QuerySaveContacts(bool mustSave) {
    const ContactList& contacts = dlg.contactList;
    if (!contacts.contactsModified || contacts.contacts.IsEmpty())
        return true;
    const QString name = contacts.contactFileName.isEmpty()
                             ? QStringLiteral("unsaved list")
                             : AppPaths::lastComponent(contacts.contactFileName);
    const auto answer = showMessage(QStringLiteral("Save changes to ") + name + QStringLiteral("?"),
                                    QStringLiteral("Save File"), Prompt::Buttons::YesNoCancel,
                                    Prompt::Icon::Warning);
    if (answer == Prompt::Answer::Cancel)
        return false;
    if (answer == Prompt::Answer::Yes) {
        const auto saved = dlg.contactList.SaveContactsAs();
        if (saved != ContactList::SaveAsResult::Cancelled)
            UpdateContactsTitle();
        return !mustSave || saved == ContactList::SaveAsResult::Saved;
    }
    return true;
}

void ContactsPane::NewContactList() {
    if (!QuerySaveContacts())
        return;
    dlg.contactList.NewContactList();
    list->clear();
    dlg.contactsShown = 0;
    dlg.contactsTotal = 0;
    runUpdateControls();
    UpdateContactsTitle();
}

void ContactsPane::OpenContactList() {
    if (dlg.settings.prefs.contactSource == ContactSource::kFile && !QuerySaveContacts())
        return;
    Prompt::FileRequest request;
    // Text Files: Excel's "Unicode Text"; vCard files under both endings the address book
    // reads.
    request.filter = QStringLiteral("CSV Files (*.csv)|*.csv|TSV Files (*.tsv)|*.tsv|"
                                    "Text Files (*.txt)|*.txt|"
                                    "vCard files (*.vcf *.vcard)|*.vcf;*.vcard|"
                                    "All files (*)|*||");
    const auto path = prompt().openFile(request);
    if (!path || path->isEmpty())
        return;
    QString name = *path;
    LoadContacts(ContactSource::kFile, name);
}

bool ContactsPane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list->viewport() && event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QListWidgetItem* item = list->itemAt(help->pos());
        if (!item) {
            QToolTip::hideText();
            return true;
        }
        const int index = item->data(Qt::UserRole).toInt();
        const auto& contacts = dlg.contactList.contacts;
        if (index >= 0 && index < contacts.GetSize()) {
            QString text = ShownText(ContactText::trim(contacts.GetAt(index)));
            text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            QToolTip::showText(help->globalPos(), TipText::wrap(text), list->viewport(),
                               list->visualItemRect(item));
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}
