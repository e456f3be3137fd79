#include "MainWindowHarness.h"
#include "TempDir.h"
#include "contacts/ui/ImportCSVDlg.h"
#include "mainwindow/ControlIds.h"
#include "platform/ui/DialogRunner.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <gtest/gtest.h>

TEST(ImportDialog, OpenContactListImportsAForeignExport) {
    TempDir dir;
    // A web shop's export in Windows-1252, with a heading row and more columns than lines.
    const QString path =
        dir.write(QStringLiteral("export.csv"), "Name,Street,Town,Id\r\n"
                                                "J\xFCrgen M\xFCller,Hauptstra\xDF"
                                                "e 1,K\xF6ln,17\r\n"
                                                "Zo\xEB Lee,\"Flat 2\",Caf\xE9 Row,18\r\n");
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    h.prompt.openWith(path);
    QWidget* parent = nullptr;
    DialogRunner::setHook([&parent](QDialog& d) {
        auto& importDlg = dynamic_cast<ImportCSVDlg&>(d);
        parent = importDlg.parentWidget();
        // Drop the heading row and the Id column, then import.
        importDlg.table()->selectRow(0);
        importDlg.control<QPushButton>(ImportCSVDlg::DeleteRows)->click();
        importDlg.model().removeColumn(4);
        importDlg.control<QPushButton>(ImportCSVDlg::ImportButton)->click();
        return importDlg.result();
    });
    dlg.runCommand(Id::OpenContactList);
    DialogRunner::setHook({});

    EXPECT_EQ(parent, &dlg);
    EXPECT_TRUE(h.prompt.shown.empty());
    EXPECT_EQ(dlg.contactList.contacts.Strings(),
              (std::vector<std::string>{"J\xC3\xBCrgen M\xC3\xBCller\r\nHauptstra\xC3\x9F"
                                        "e 1\r\nK\xC3\xB6ln\r\n",
                                        "Zo\xC3\xAB Lee\r\nFlat 2\r\nCaf\xC3\xA9 Row\r\n"}));
    auto* list = dlg.control<QListWidget>(Id::ContactsList);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("J\u00FCrgen M\u00FCller"));
    EXPECT_EQ(dlg.control<QLabel>(Id::ContactsCaption)->text(),
              QStringLiteral("export.csv (2 entries)"));
    // Imported contacts are not in a contact list file yet.
    EXPECT_TRUE(dlg.contactList.contactsModified);
    EXPECT_TRUE(dlg.isCommandEnabled(Id::SaveContacts));

    // Save Contacts never writes over the export: it asks for a new name beside it.
    const QByteArray exported = dir.read(QStringLiteral("export.csv"));
    h.prompt.saveWith(std::nullopt);
    dlg.runCommand(Id::SaveContacts);
    ASSERT_EQ(h.prompt.fileRequests.size(), 2u);
    EXPECT_EQ(h.prompt.fileRequests[1].initialName, QStringLiteral("export (2).csv"));
    EXPECT_EQ(dir.read(QStringLiteral("export.csv")), exported);
    EXPECT_TRUE(dlg.contactList.contactsModified);
}

TEST(ImportDialog, AQuoteNeverClosedImportsWholeAndShowsCut) {
    TempDir dir;
    QByteArray bytes = "\"";
    while (bytes.size() < 200 * 1024)
        bytes += "Ann Lee, 1 High Street, Springfield\n";
    const QString path = dir.write(QStringLiteral("broken.csv"), bytes);
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    h.prompt.openWith(path);
    int rows = -1;
    DialogRunner::setHook([&rows](QDialog& d) {
        auto& importDlg = dynamic_cast<ImportCSVDlg&>(d);
        rows = importDlg.model().rowCount();
        importDlg.control<QPushButton>(ImportCSVDlg::ImportButton)->click();
        return importDlg.result();
    });
    dlg.runCommand(Id::OpenContactList);
    DialogRunner::setHook({});

    EXPECT_EQ(rows, 1);
    ASSERT_EQ(dlg.contactList.contacts.GetSize(), 1);
    // The contact keeps every character; the pane shows its beginning.
    EXPECT_GT(dlg.contactList.contacts.GetAt(0).size(), std::size_t(200 * 1024));
    auto* list = dlg.control<QListWidget>(Id::ContactsList);
    ASSERT_EQ(list->count(), 1);
    EXPECT_LE(list->item(0)->text().size(), 2001);
    EXPECT_TRUE(list->item(0)->text().startsWith(QStringLiteral("Ann Lee, 1 High Street, ")));
}

TEST(ImportDialog, StartUpLoadOfAForeignFileGoesThroughTheDialog) {
    TempDir dir;
    // UTF-16 with a byte-order mark, as spreadsheets save "Unicode text": TAB-separated.
    const char16_t text[] = u"\xFEFFS\u00F8ren Berg\tN\u00F8rregade 3\tK\u00F8benhavn\r\n";
    const QString path =
        dir.write(QStringLiteral("unicode.txt"),
                  QByteArray(reinterpret_cast<const char*>(text), sizeof(text) - sizeof(char16_t)));
    MainWindowHarness h;
    QString caption;
    DialogRunner::setHook([&caption](QDialog& d) {
        auto& importDlg = dynamic_cast<ImportCSVDlg&>(d);
        caption = importDlg.windowTitle();
        importDlg.control<QPushButton>(ImportCSVDlg::ImportButton)->click();
        return importDlg.result();
    });
    CQuillmarkDlg& dlg = h.open(path);
    DialogRunner::setHook({});
    EXPECT_EQ(caption, QStringLiteral("Importing unicode.txt"));
    EXPECT_EQ(dlg.contactList.contacts.Strings(),
              std::vector<std::string>{"S\xC3\xB8ren Berg\r\nN\xC3\xB8rregade 3\r\nK\xC3\xB8"
                                       "benhavn\r\n"});
    EXPECT_TRUE(dlg.contactList.contactsModified);
}
