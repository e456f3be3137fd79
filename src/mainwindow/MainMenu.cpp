#include "mainwindow/MainMenu.h"

#include "mainwindow/ControlIds.h"

#include <QMenu>
#include <QMenuBar>

namespace {

struct Item {
    int id; // 0: separator
    const char* caption;
};

struct Menu {
    const char* title;
    std::initializer_list<Item> items;
};

const Menu kMenus[] = {
    {"&File",
     {{Id::NewContactList, "&New Contact List"},
      {Id::OpenContactList, "&Open Contact List..."},
      {Id::SaveContacts, "&Save Contacts"},
      {Id::SaveContactsAs, "Save Contacts &As..."},
      {0, nullptr},
      {Id::OpenLabels, "Open &Labels..."},
      {Id::SaveLabels, "Save  La&bels"},
      {Id::SaveLabelsAs, "Sav&e Labels  As..."},
      {0, nullptr},
      {Id::PrintLabelsCommand, "&Print Labels..."},
      {Id::Settings, "Se&ttings..."},
      {Id::Quit, "&Quit"}}},
    {"&Contacts",
     {{0, nullptr},
      {Id::AddNewContact, "&Add New Contact..."},
      {Id::EditContact, "&Edit Contact..."},
      {Id::DeleteContact, "&Delete Contact"},
      {Id::SortContactsByLastName, "&Sort by Last Name"},
      {0, nullptr},
      {Id::AssignCategory, "&Category..."},
      {0, nullptr},
      {Id::LoadWindowsContacts, "Load Address &Book..."},
      {Id::LoadGoogleContacts, "Load &Google Contacts..."}}},
    {"&Labels",
     {{Id::AddNewLabel, "&Add New Label"},
      {Id::RepeatLabel, "&Repeat Label..."},
      {Id::SortLabels, "&Sort by Last Name"},
      {Id::DeleteLabel, "&Delete Label"},
      {Id::DeleteAllLabels, "Delete A&ll Labels..."},
      {0, nullptr},
      {Id::PrintPreview, "&Print Preview...\tCtrl+Shift+P"},
      {Id::CalibratePrinter, "&Calibrate printer..."}}},
    {"&Help",
     {{Id::ShowHelp, "&Help..."},
      {Id::CheckForUpdates, "&Check for updates"},
      {Id::AboutQuillmark, "&About Quillmark..."}}},
};

} // namespace

MainMenu::MainMenu(QMenuBar* bar, EnableRule rule) : bar_(bar), rule_(std::move(rule)) {
    for (const Menu& m : kMenus) {
        QMenu* menu = bar_->addMenu(QString::fromLatin1(m.title));
        // The Contacts menu starts and the Labels menu ends with a separator.
        menu->setSeparatorsCollapsible(false);
        for (const Item& item : m.items) {
            if (item.id == 0) {
                menu->addSeparator();
                continue;
            }
            QAction* a = menu->addAction(QString::fromLatin1(item.caption));
            a->setData(item.id);
            actions_.insert(item.id, a);
        }
        QObject::connect(menu, &QMenu::aboutToShow, menu, [this, menu] { update(menu); });
        // Disabled items keep their shortcut from working; the command checks its rule
        // itself when the shortcut runs it, so the items are enabled again once the menu
        // has closed.
        QObject::connect(menu, &QMenu::aboutToHide, menu, [menu] {
            for (QAction* a : menu->actions())
                a->setEnabled(true);
        });
    }
    actions_[Id::SortContactsByLastName]->setCheckable(true);
    // The standard keys where one command is meant.
    actions_[Id::OpenContactList]->setShortcut(QKeySequence::Open);
    actions_[Id::SaveLabels]->setShortcut(QKeySequence::Save);
    actions_[Id::PrintLabelsCommand]->setShortcut(QKeySequence::Print);
    actions_[Id::Quit]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
}

QMenu* MainMenu::menu(int index) const {
    const auto menus = bar_->findChildren<QMenu*>(Qt::FindDirectChildrenOnly);
    return index < menus.size() ? menus[index] : nullptr;
}

void MainMenu::update(QMenu* menu) {
    for (QAction* a : menu->actions()) {
        if (!a->isSeparator())
            a->setEnabled(rule_(a->data().toInt()));
    }
}
