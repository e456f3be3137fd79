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
     {{Id::NewContactList, "New Contact List"},
      {Id::OpenContactList, "&Open Contact List..."},
      {Id::SaveContacts, "Save Contacts"},
      {Id::SaveContactsAs, "Save Contacts As..."},
      {0, nullptr},
      {Id::OpenLabels, "Open Labels..."},
      {Id::SaveLabels, "Save  Labels"},
      {Id::SaveLabelsAs, "Save Labels  As..."},
      {0, nullptr},
      {Id::PrintLabelsCommand, "Print Labels..."},
      {Id::Settings, "Settings..."},
      {Id::Quit, "Quit"}}},
    {"&Contacts",
     {{0, nullptr},
      {Id::AddNewContact, "Add New Contact..."},
      {Id::EditContact, "Edit Contact..."},
      {Id::DeleteContact, "Delete Contact"},
      {Id::SortContactsByLastName, "Sort by Last Name"},
      {0, nullptr},
      {Id::AssignCategory, "Category..."},
      {0, nullptr},
      {Id::LoadWindowsContacts, "Load Windows Contacts..."},
      {Id::LoadGoogleContacts, "Load Google Contacts..."}}},
    {"&Labels",
     {{Id::AddNewLabel, "Add New Label"},
      {Id::RepeatLabel, "Repeat Label..."},
      {Id::SortLabels, "Sort by Last Name"},
      {Id::DeleteLabel, "Delete Label"},
      {Id::DeleteAllLabels, "Delete All Labels..."},
      {0, nullptr},
      {Id::PrintPreview, "Print Preview...\tCtrl+Shift+P"}}},
    {"&Help",
     {{Id::ShowHelp, "Help..."},
      {Id::CheckForUpdates, "Check for updates"},
      {Id::AboutQuillmark, "About Quillmark..."}}},
};

} // namespace

MainMenu::MainMenu(QMenuBar* bar, EnableRule rule) : bar_(bar), rule_(std::move(rule)) {
    for (const Menu& m : kMenus) {
        QMenu* menu = bar_->addMenu(QString::fromLatin1(m.title));
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
    }
    actions_[Id::SortContactsByLastName]->setCheckable(true);
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
