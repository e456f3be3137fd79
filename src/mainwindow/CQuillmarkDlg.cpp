#include "mainwindow/CQuillmarkDlg.h"

#include "controls/Artwork.h"
#include "controls/HoverButton.h"
#include "controls/SplashWindow.h"
#include "controls/UpDownControl.h"
#include "mainwindow/ContactCommands.h"
#include "mainwindow/ContactsPane.h"
#include "mainwindow/ControlIds.h"
#include "mainwindow/LabelListPane.h"
#include "mainwindow/MainCommands.h"
#include "mainwindow/MainMenu.h"
#include "mainwindow/TipText.h"
#include "online/VendorSite.h"
#include "online/ui/GoogleContactReader.h"
#include "platform/AppPaths.h"
#include "platform/Pause.h"
#include "platform/Prompt.h"
#include "platform/SettingsStore.h"
#include "platform/ui/DialogUnits.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

using H = ControlLayout::Horizontal;
using V = ControlLayout::Vertical;

enum class Kind {
    Button,
    Picture,
    Caption,
    Text,
    List,
    Check,
    Radio,
    Combo,
    Editor,
    ScrollBar,
    Box,
    Spin
};

struct TemplateControl {
    int id;
    Kind kind;
    const char* text;
    int x, y, w, h; // dialog units
    H h_;
    V v_;
};

// The main window's template, top to bottom, with each control's anchoring.
const TemplateControl kTemplate[] = {
    {Id::WebsiteButton, Kind::Button, "Website", 157, 5, 41, 14, H::Right, V::Top},
    {Id::SettingsButton, Kind::Button, "Settings", 206, 5, 41, 14, H::Right, V::Top},
    {Id::HelpButton, Kind::Button, "Help", 257, 5, 41, 14, H::Right, V::Top},
    {Id::ContactsStrip, Kind::Picture, "", 0, 23, 317, 19, H::Both, V::Top},
    {Id::ContactsHeading, Kind::Picture, "", 0, 23, 68, 19, H::Left, V::Top},
    {Id::ContactsCaption, Kind::Caption, "0 Entries", 73, 28, 223, 8, H::Both, V::Top},
    {Id::ContactsList, Kind::List, "", 15, 54, 160, 88, H::Both, V::Both},
    {Id::HideIfNoAddress, Kind::Check, "Hide if no address", 194, 51, 74, 13, H::Right, V::Top},
    {Id::ShowAll, Kind::Radio, "Show all", 194, 67, 43, 10, H::Right, V::Top},
    {Id::ShowCategory, Kind::Radio, "Show category", 194, 80, 63, 10, H::Right, V::Top},
    {Id::CategoryCombo, Kind::Combo, "", 205, 92, 70, 75, H::Right, V::Top},
    {Id::SelectAll, Kind::Button, "Select All", 193, 115, 41, 13, H::Right, V::Bottom},
    {Id::AddToLabelList, Kind::Button, "Add To Label List", 192, 130, 70, 13, H::Right, V::Bottom},
    {Id::LabelsStrip, Kind::Picture, "", 0, 150, 318, 19, H::Both, V::Bottom},
    {Id::LabelsHeading, Kind::Picture, "", 0, 150, 56, 19, H::Left, V::Bottom},
    {Id::LabelListCaption, Kind::Caption, "", 72, 155, 223, 8, H::Both, V::Bottom},
    {Id::AddButton, Kind::Button, "Add", 14, 179, 42, 12, H::Left, V::Bottom},
    {Id::LabelEditor, Kind::Editor, "", 70, 180, 178, 68, H::Left, V::Bottom},
    {Id::RepeatButton, Kind::Button, "Repeat", 14, 200, 42, 12, H::Left, V::Bottom},
    {Id::DeleteButton, Kind::Button, "Delete", 14, 221, 42, 12, H::Left, V::Bottom},
    {Id::DeleteAllButton, Kind::Button, "Delete All", 14, 242, 42, 12, H::Left, V::Bottom},
    {Id::LabelScrollBar, Kind::ScrollBar, "", 70, 248, 136, 9, H::Left, V::Bottom},
    {Id::LabelCounter, Kind::Text, "Label 9999/9999", 209, 249, 58, 9, H::Left, V::Bottom},
    {Id::PrintStrip, Kind::Picture, "", 0, 269, 318, 19, H::Both, V::Bottom},
    {Id::PrintHeading, Kind::Picture, "", 0, 269, 44, 19, H::Left, V::Bottom},
    {Id::FirstLabelText, Kind::Text, "First label on sheet:", 113, 298, 62, 8, H::Right, V::Bottom},
    {Id::FirstLabelBox, Kind::Box, "", 181, 296, 27, 12, H::Right, V::Bottom},
    {Id::FirstLabelSpin, Kind::Spin, "", 209, 295, 11, 12, H::Right, V::Bottom},
    {Id::PrintLabels, Kind::Button, "Print Labels", 228, 295, 69, 14, H::Right, V::Bottom},
};

int pictureResource(int id) {
    switch (id) {
    case Id::ContactsHeading:
        return Artwork::kHeadingContacts;
    case Id::LabelsHeading:
        return Artwork::kHeadingLabels;
    case Id::PrintHeading:
        return Artwork::kHeadingPrint;
    default:
        return Artwork::kHeadingStrip;
    }
}

// The ten buttons' pictures and tooltips.
struct ButtonDecoration {
    int id;
    int bitmap;
    const char* tip; // null: the website's own
};
const ButtonDecoration kButtons[] = {
    {Id::SelectAll, Artwork::kSelectAll, "Select all the contacts"},
    {Id::AddToLabelList, Artwork::kAddToLabelList, "Add selected contact(s) to label list"},
    {Id::SettingsButton, Artwork::kSettings, "Opens the Settings window"},
    {Id::WebsiteButton, Artwork::kWebsite, nullptr},
    {Id::HelpButton, Artwork::kHelp, "Opens QMK Help"},
    {Id::AddButton, Artwork::kAdd, "Add a new label to the list"},
    {Id::RepeatButton, Artwork::kRepeat, "Repeat this label in the list..."},
    {Id::DeleteButton, Artwork::kDelete, "Delete this label from the list"},
    {Id::DeleteAllButton, Artwork::kDeleteAll, "Delete all the labels in the list"},
    {Id::PrintLabels, Artwork::kPrintLabels, "Print out the labels"},
};

constexpr int kTemplateWidth = 317;
constexpr int kTemplateHeight = 317;

std::vector<ControlLayout::Rule> layoutRules() {
    std::vector<ControlLayout::Rule> rules;
    for (const TemplateControl& c : kTemplate)
        rules.push_back({c.id, c.h_, c.v_});
    return rules;
}

const QColor kBackground(230, 230, 230);
const QColor kCaptionBackground(214, 214, 214);
const QColor kText(80, 80, 80);

} // namespace

CQuillmarkDlg::CQuillmarkDlg(SettingsStore& store, QWidget* parent)
    : QDialog(parent), store_(store), menuBar_(new QMenuBar(this)), client_(new QWidget(this)),
      layout_(layoutRules()) {
    setWindowTitle(QStringLiteral(" Quillmark"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(false);
    setFont(DialogUnits::dialogFont());

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->setMenuBar(menuBar_);
    outer->addWidget(client_);

    menu_ = std::make_unique<MainMenu>(menuBar_, [this](int id) { return isCommandEnabled(id); });
    for (auto it = menu_->actions().begin(); it != menu_->actions().end(); ++it) {
        const int id = it.key();
        connect(it.value(), &QAction::triggered, this, [this, id] { runCommand(id); });
    }
    setCommand(Id::Quit, [this] { accept(); });
    contactList.SetReader(ContactSource::kGoogle,
                          std::make_unique<GoogleContactReader>(settings.prefs, store_, this));

    createControls();
    applyColours();
    client_->installEventFilter(this);
    contactsPane = std::make_unique<ContactsPane>(*this);
    labelList = std::make_unique<LabelListPane>(*this);
    mainCommands = new MainCommands(*this);
    contactCommands = new ContactCommands(*this);
    closeRequestHook = [this] { return QueryClose(); };
}

CQuillmarkDlg::~CQuillmarkDlg() = default;

void CQuillmarkDlg::createControls() {
    const DialogUnits du(font());
    client_->setFixedSize(du.toPixelsX(kTemplateWidth), du.toPixelsY(kTemplateHeight));
    for (const TemplateControl& c : kTemplate) {
        const QString text = QString::fromLatin1(c.text);
        QWidget* w = nullptr;
        switch (c.kind) {
        case Kind::Button:
            w = new CHoverButton(text, client_);
            break;
        case Kind::Picture: {
            auto* l = new QLabel(client_);
            l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            w = l;
            break;
        }
        case Kind::Caption:
        case Kind::Text: {
            auto* l = new QLabel(text, client_);
            l->setTextFormat(Qt::PlainText);
            w = l;
            break;
        }
        case Kind::List: {
            auto* list = new QListWidget(client_);
            // List mode: items flow down in columns of a fixed width.
            list->setViewMode(QListView::ListMode);
            list->setFlow(QListView::TopToBottom);
            list->setWrapping(true);
            list->setResizeMode(QListView::Adjust);
            list->setUniformItemSizes(true);
            list->setGridSize(QSize(140, QFontMetrics(font()).height() + 2));
            list->setSelectionMode(QAbstractItemView::ExtendedSelection);
            w = list;
            break;
        }
        case Kind::Check:
            w = new QCheckBox(text, client_);
            break;
        case Kind::Radio:
            w = new QRadioButton(text, client_);
            break;
        case Kind::Combo: {
            auto* combo = new QComboBox(client_);
            combo->setEnabled(false);
            w = combo;
            break;
        }
        case Kind::Editor: {
            auto* edit = new QPlainTextEdit(client_);
            edit->setLineWrapMode(QPlainTextEdit::NoWrap);
            edit->setTabChangesFocus(true);
            w = edit;
            break;
        }
        case Kind::ScrollBar:
            w = new QScrollBar(Qt::Horizontal, client_);
            break;
        case Kind::Box: {
            auto* box = new QLineEdit(client_);
            box->setAlignment(Qt::AlignLeft);
            box->setValidator(
                new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
            w = box;
            break;
        }
        case Kind::Spin:
            firstLabelSpin_ = new UpDownControl(client_);
            firstLabelSpin_->setBuddy(qobject_cast<QLineEdit*>(controls_.value(Id::FirstLabelBox)));
            w = firstLabelSpin_;
            break;
        }
        if (c.kind == Kind::Picture)
            static_cast<QLabel*>(w)->setPixmap(Artwork::bitmap(pictureResource(c.id)));
        QRect rc = du.toPixels(c.x, c.y, c.w, c.h);
        if (c.kind == Kind::Combo) // the template height is the drop-down's; the box is one line
            rc.setHeight(w->sizeHint().height());
        if (c.kind == Kind::Picture) // pictures show whole, whatever the unit size
            rc.setHeight(std::max(rc.height(), static_cast<QLabel*>(w)->pixmap().height()));
        w->setGeometry(rc);
        w->setProperty("controlId", c.id);
        controls_.insert(c.id, w);
    }
    // The controls that show no text of their own are named for screen readers.
    const std::pair<int, const char*> names[] = {
        {Id::ContactsList, "Contacts"},
        {Id::CategoryCombo, "Category"},
        {Id::LabelEditor, "Label text"},
        {Id::LabelScrollBar, "Label list"},
        {Id::FirstLabelBox, "First label on sheet"},
        {Id::FirstLabelSpin, "First label on sheet"},
    };
    for (const auto& [id, name] : names)
        controls_[id]->setAccessibleName(QString::fromLatin1(name));
    // Pictures lie under the captions and buttons that share their band.
    for (int id : {Id::ContactsStrip, Id::LabelsStrip, Id::PrintStrip})
        controls_[id]->lower();
    // Tab order follows the template.
    QWidget* previous = nullptr;
    for (const TemplateControl& c : kTemplate) {
        QWidget* w = controls_[c.id];
        if (w->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    }
}

void CQuillmarkDlg::applyColours() {
    QPalette p = palette();
    p.setColor(QPalette::Window, kBackground);
    p.setColor(QPalette::WindowText, kText);
    p.setColor(QPalette::Button, kBackground);
    setPalette(p);
    setAutoFillBackground(true);
    for (int id : {Id::ContactsCaption, Id::LabelListCaption}) {
        QWidget* w = controls_[id];
        QPalette cp = w->palette();
        cp.setColor(QPalette::Window, kCaptionBackground);
        cp.setColor(QPalette::WindowText, kText);
        w->setPalette(cp);
        w->setAutoFillBackground(true);
    }
    // Edit boxes, the list, the combo and the scroll bar keep the platform's colours.
    for (int id : {Id::ContactsList, Id::LabelEditor, Id::FirstLabelBox, Id::CategoryCombo,
                   Id::LabelScrollBar}) {
        controls_[id]->setPalette(QApplication::palette(controls_[id]));
    }
}

VendorSite CQuillmarkDlg::vendorSite() const {
    return VendorSite::fromSettings(store_);
}

QAction* CQuillmarkDlg::command(int id) const {
    return menu_->action(id);
}

void CQuillmarkDlg::setCommand(int id, std::function<void()> handler, std::function<bool()> rule) {
    handlers_.insert(id, std::move(handler));
    if (rule)
        rules_.insert(id, std::move(rule));
    else
        rules_.remove(id);
}

bool CQuillmarkDlg::isCommandEnabled(int id) const {
    if (!handlers_.contains(id))
        return false;
    const auto rule = rules_.find(id);
    return rule == rules_.end() || (*rule)();
}

void CQuillmarkDlg::runCommand(int id) {
    if (isCommandEnabled(id))
        handlers_.value(id)();
}

void CQuillmarkDlg::LayoutControls(bool record) {
    const QSize client = client_->size();
    if (record) {
        layout_.record(client, [this](int id) { return controls_[id]->geometry(); });
        recorded_ = true;
        // From now on the controls follow the window's size.
        client_->setMinimumSize(0, 0);
        client_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    const auto& rules = layout_.rules();
    for (std::size_t i = 0; i < rules.size(); ++i) {
        QWidget* w = controls_[rules[i].id];
        QRect rc = layout_.place(i, client);
        // A hover button takes the size of its picture and caption where it is placed.
        if (auto* button = qobject_cast<CHoverButton*>(w))
            rc.setSize(button->layoutSize());
        // The plain strips stretch with a window wider than their picture.
        const int id = rules[i].id;
        if ((id == Id::ContactsStrip || id == Id::LabelsStrip || id == Id::PrintStrip) &&
            rc.width() != w->width()) {
            const QPixmap strip = Artwork::headingStrip();
            static_cast<QLabel*>(w)->setPixmap(
                rc.width() > strip.width()
                    ? strip.scaled(rc.width(), strip.height(), Qt::IgnoreAspectRatio)
                    : strip);
        }
        w->setGeometry(rc);
    }
    update();
}

void CQuillmarkDlg::OnInitDialog() {
    adjustSize();
    LayoutControls(true);
    // The window, frame and menu included, is never smaller than 500 x 645; the frame is
    // not known before the window is shown, so the menu's height stands for it here.
    setMinimumSize(ControlLayout::kMinWidth,
                   ControlLayout::kMinHeight - menuBar_->sizeHint().height());

    contactsTotal = contactsShown = 0;
    contactList.reloadPending = false;
    contactList.contactsModified = false;

    SetDefaultSettings(settings);
    Settings scratch = settings;
    if (LoadSettings(store_, scratch, contactList.contactFileName)) {
        settings = scratch;
        ApplyUpgradeRules(settings.prefs);
        (void)categories.LoadCategories(AppPaths::categoryStoreFile(), [this] {
            CSplashWindow::ShowSplash(this, QStringLiteral("Loading Categories..."), 0);
        });
    } else {
        dimensionsUndefined = 1;
    }
    settings.prefs.settingsVersion = LabelPreferences::kCurrentVersion;
    contactList.SetSortByLastName(settings.prefs.sortByLastName != 0);

    setWindowIcon(Artwork::appIcon());
    const VendorSite site = vendorSite();
    for (const ButtonDecoration& b : kButtons) {
        auto* button = control<CHoverButton>(b.id);
        button->LoadButtonBitmap(b.bitmap, CHoverButton::PictureLeft);
        button->SetToolTipText(b.tip ? QString::fromLatin1(b.tip) : site.toolTip(), true);
    }

    control<QRadioButton>(Id::ShowAll)->setChecked(true);
    filterByCategory = 0;
    hideIfNoAddress = 0;
    if (!contactList.contactFileName.isEmpty())
        settings.prefs.contactSource = ContactSource::kFile;

    CSplashWindow::ShowSplash(this,
                              QStringLiteral("Loading contacts: ") +
                                  AppPaths::lastComponent(contactList.contactFileName),
                              0);
    Pause::sleepMs(1000);
    CSplashWindow::HideSplash();

    if (!contactsPane->LoadContacts(settings.prefs.contactSource, contactList.contactFileName))
        contactsPane->RefreshContacts(false); // the caption still names the source

    labelList->ResetAtOpening();
    firstLabelSpin_->setPosition(settings.prefs.firstLabel);

    control(Id::HideIfNoAddress)
        ->setToolTip(
            TipText::wrap(QStringLiteral("When checked, only contacts with addresses are shown")));
    control(Id::ShowCategory)
        ->setToolTip(TipText::wrap(QStringLiteral(
            "When selected, only contacts belonging to the category below are shown")));
    control(Id::FirstLabelBox)
        ->setToolTip(TipText::wrap(
            QStringLiteral("The number of the first label on the sheet which will be printed on")));

    contactsPane->FillCategoryCombo();

    labelList->LoadAtOpening();
    labelList->UpdateControls();
}

bool CQuillmarkDlg::TakeDialogData() {
    bool ok = false;
    const int v = control<QLineEdit>(Id::FirstLabelBox)->text().trimmed().toInt(&ok);
    if (!ok) {
        showMessage(QStringLiteral("Enter an integer."));
        control(Id::FirstLabelBox)->setFocus();
        return false;
    }
    firstLabelNumber = v;
    return true;
}

bool CQuillmarkDlg::QueryClose() {
    if (settings.prefs.contactSource == ContactSource::kFile &&
        !contactsPane->QuerySaveContacts(true))
        return false;
    return labelList->QuerySaveLabels(true);
}

void CQuillmarkDlg::accept() {
    if (closed_)
        return;
    if (!TakeDialogData() || !QueryClose())
        return;
    QDialog::accept();
}

void CQuillmarkDlg::reject() {
    if (closed_)
        return;
    if (!QueryClose())
        return;
    QDialog::reject();
}

void CQuillmarkDlg::closeEvent(QCloseEvent* event) {
    if (!closed_ && closeRequestHook && !closeRequestHook()) {
        event->ignore();
        return;
    }
    event->accept();
    if (!closed_)
        QDialog::reject();
}

void CQuillmarkDlg::keyPressEvent(QKeyEvent* event) {
    // Enter that the focused control did not use is the dialog's OK, "Quit"; the label editor
    // keeps it for new lines, also while it is read-only.
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        focusWidget() != controls_.value(Id::LabelEditor)) {
        runCommand(Id::Quit);
        return;
    }
    QDialog::keyPressEvent(event);
}

void CQuillmarkDlg::done(int result) {
    closingSteps();
    QDialog::done(result);
}

void CQuillmarkDlg::closingSteps() {
    if (closed_)
        return;
    closed_ = true;
    settings.prefs.firstLabel = static_cast<std::uint8_t>(firstLabelSpin_->position());
    SaveSettings(store_, settings, contactList.contactFileName);
    if (categories.ShouldSave())
        (void)categories.SaveCategories(AppPaths::categoryStoreFile());
    Q_EMIT closing();
}

void CQuillmarkDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    applyMinimumSize();
}

void CQuillmarkDlg::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    applyMinimumSize();
}

void CQuillmarkDlg::applyMinimumSize() {
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize minimum(ControlLayout::kMinWidth - frame.width(),
                        ControlLayout::kMinHeight - frame.height());
    if (minimumSize() != minimum)
        setMinimumSize(minimum);
    // A window manager may ignore the hint; the right and bottom edges then give way.
    const QRect whole = ControlLayout::enforceMinimum(
        frameGeometry(), ControlLayout::RightEdge | ControlLayout::BottomEdge);
    if (whole.size() != frameGeometry().size())
        resize(whole.size() - frame);
}

bool CQuillmarkDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize && recorded_)
        LayoutControls(false);
    return QDialog::eventFilter(watched, event);
}
