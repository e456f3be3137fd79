#pragma once

#include "app/Settings.h"
#include "contacts/Categories.h"
#include "contacts/ContactList.h"
#include "mainwindow/ControlLayout.h"

#include <QDialog>
#include <QHash>
#include <functional>
#include <memory>

class ContactCommands;
class ContactsPane;
class LabelListPane;
class MainCommands;
class VendorSite;
class MainMenu;
class QMenuBar;
class SettingsStore;
class UpDownControl;

// The main window: a resizable dialog with a menu bar holding the contacts pane, the label
// editor and the print controls. It owns the program's central state for the whole run.
class CQuillmarkDlg : public QDialog {
    Q_OBJECT
public:
    explicit CQuillmarkDlg(SettingsStore& store, QWidget* parent = nullptr);
    ~CQuillmarkDlg() override;

    // Set by start-up before the window opens: the file names from the command line.
    QString labelFileName;

    // The opening steps, run once after construction.
    void OnInitDialog();

    QWidget* control(int id) const { return controls_.value(id); }
    template <typename T> T* control(int id) const { return qobject_cast<T*>(control(id)); }
    QAction* command(int id) const;
    MainMenu& menu() const { return *menu_; }
    QWidget* clientArea() const { return client_; }

    // Commands are wired by the parts of the window that carry them out; a command with no
    // handler stays disabled. A rule, when given, decides its enabled state as its menu opens.
    void setCommand(int id, std::function<void()> handler, std::function<bool()> rule = {});
    bool isCommandEnabled(int id) const;
    void runCommand(int id);

    // Central state.
    int hideIfNoAddress = 0;
    int filterByCategory = 0;
    int dimensionsUndefined = 0;
    int firstLabelNumber = 0;
    int contactsTotal = 0;
    int contactsShown = 0;
    Settings settings;
    // The contacts with their file name (start-up sets it from the command line), source,
    // modified flag and sort order.
    ContactList contactList{settings.prefs};
    Categories categories;
    std::unique_ptr<ContactsPane> contactsPane;
    // The label list with its editor and .lbl files.
    std::unique_ptr<LabelListPane> labelList;
    MainCommands* mainCommands = nullptr; // owned as a child
    // Adding, editing and deleting contacts, and the address book; owned as a child.
    ContactCommands* contactCommands = nullptr;

    // The vendor's website, as configured.
    VendorSite vendorSite() const;
    SettingsStore& settingsStore() const { return store_; }

    // Takes the dialog data: the first-label box must hold an integer. False (after the
    // message) when it does not.
    bool TakeDialogData();

    void LayoutControls(bool record);

    // The questions every way of closing asks: unsaved contacts of a file list, then unsaved
    // labels. False keeps the window open (Cancel, or Yes and the save did not happen).
    bool QueryClose();
    // Escape: closes after the closing questions.
    void reject() override;

Q_SIGNALS:
    void closing();

protected:
    void done(int result) override;
    void accept() override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void applyColours();
    void closingSteps();
    // Keeps the whole window, frame and menu included, at least 500 x 645 pixels; the frame
    // is known only once the window is shown and placed.
    void applyMinimumSize();

    SettingsStore& store_;
    QMenuBar* menuBar_;
    QWidget* client_;
    std::unique_ptr<MainMenu> menu_;
    QHash<int, QWidget*> controls_;
    ControlLayout layout_;
    UpDownControl* firstLabelSpin_ = nullptr;
    QHash<int, std::function<void()>> handlers_;
    QHash<int, std::function<bool()>> rules_;
    bool closed_ = false;
    bool recorded_ = false;

public:
    // Asked when the window's close box is used; false keeps the window open. The closing
    // questions by default.
    std::function<bool()> closeRequestHook;
};
