#include "contacts/ui/ImportCSVDlg.h"
#include "contacts/CCSVFile.h"
#include "contacts/ContactFileReader.h"
#include "contacts/ContactList.h"
#include "contacts/DelimitedTable.h"
#include "contacts/ui/ImportDialogImporter.h"
#include "labels/LabelPreferences.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/HelpWindow.h"

#include "ScriptedPrompt.h"
#include "TempDir.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <functional>
#include <gtest/gtest.h>

namespace {

QByteArray importFixture(const char* name) {
    QFile f(QStringLiteral(QM_TEST_DATA_DIR "/contacts/import/") + QString::fromUtf8(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

// Runs the dialog on bytes with `steps` as the user; the result is what Run returns.
std::optional<std::vector<std::string>>
runDialog(const QByteArray& bytes, const std::function<int(ImportCSVDlg&)>& steps,
          const QString& name = QStringLiteral("/x/a.csv")) {
    CCSVFile file(bytes, name, false);
    EXPECT_EQ(file.DetectFormat(), CCSVFile::Foreign);
    DialogRunner::setHook([&](QDialog& d) {
        auto& dialog = dynamic_cast<ImportCSVDlg&>(d);
        dialog.show();
        QApplication::processEvents();
        return steps(dialog);
    });
    auto result = ImportCSVDlg::Run(file);
    DialogRunner::setHook({});
    return result;
}

QHeaderView* headings(ImportCSVDlg& d) {
    return d.table()->horizontalHeader();
}

QPoint headingCentre(ImportCSVDlg& d, int logical) {
    QHeaderView* h = headings(d);
    return {h->sectionViewportPosition(logical) + h->sectionSize(logical) / 2, h->height() / 2};
}

// A click on the heading of the column shown at a display position, as the user makes it.
void clickHeadingAt(ImportCSVDlg& d, int visual) {
    QHeaderView* h = headings(d);
    d.table()->scrollTo(d.model().index(0, h->logicalIndex(visual)));
    QApplication::processEvents();
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, headingCentre(d, h->logicalIndex(visual)));
}

// Drags the heading at display position `from` onto the one at `to` with the mouse.
void dragHeading(ImportCSVDlg& d, int from, int to) {
    QHeaderView* h = headings(d);
    const QPoint start = headingCentre(d, h->logicalIndex(from));
    const QPoint end = headingCentre(d, h->logicalIndex(to)) - QPoint(4, 0);
    QTest::mousePress(h->viewport(), Qt::LeftButton, {}, start);
    for (int step = 1; step <= 10; ++step)
        QTest::mouseMove(h->viewport(), start + (end - start) * step / 10);
    QTest::mouseRelease(h->viewport(), Qt::LeftButton, {}, end);
    QApplication::processEvents();
}

QStringList shownHeadings(ImportCSVDlg& d) {
    QStringList out;
    for (int v = 0; v < headings(d)->count(); ++v)
        out << d.model().headerData(headings(d)->logicalIndex(v), Qt::Horizontal).toString();
    return out;
}

// Saves a picture of the dialog when QM_SHOTS names a folder, for looking at by eye.
void shoot(ImportCSVDlg& d, const char* name) {
    const QString dir = qEnvironmentVariable("QM_SHOTS");
    if (!dir.isEmpty())
        d.grab().save(QDir(dir).filePath(QString::fromUtf8(name) + QStringLiteral(".png")));
}

void click(ImportCSVDlg& d, int id) {
    d.control<QPushButton>(id)->click();
}

} // namespace

TEST(ImportCSVDlg, OpensWithTheFileAndItsDelimiters) {
    ScriptedPrompt prompt;
    // Comma comes before semicolon; the colon is not in the file.
    const QByteArray bytes = "Name;Street,Town\nAnn;Road,Springfield\n";
    (void)runDialog(
        bytes,
        [](ImportCSVDlg& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("Importing people.csv"));
            EXPECT_EQ(d.control<QLabel>(ImportCSVDlg::DelimiterLabel)->text(),
                      QStringLiteral("De&limiter:"));
            EXPECT_TRUE(
                d.control<QLabel>(ImportCSVDlg::Instruction)
                    ->text()
                    .startsWith(QStringLiteral("Delete an unwanted field by clicking its "
                                               "header. Drag headers to re-order fields.")));
            auto* combo = d.control<QComboBox>(ImportCSVDlg::DelimiterCombo);
            EXPECT_EQ(combo->count(), 2);
            EXPECT_EQ(combo->itemText(0), QStringLiteral("Comma"));
            EXPECT_EQ(combo->itemText(1), QStringLiteral("Semicolon"));
            EXPECT_EQ(combo->currentText(), QStringLiteral("Comma"));
            EXPECT_EQ(shownHeadings(d), (QStringList{QString(), QStringLiteral("Field 1"),
                                                     QStringLiteral("Field 2")}));
            EXPECT_EQ(d.model().data(d.model().index(1, 0)).toString(), QStringLiteral("2"));
            EXPECT_EQ(d.model().data(d.model().index(1, 1)).toString(), QStringLiteral("Ann;Road"));
            EXPECT_TRUE(d.control<QPushButton>(ImportCSVDlg::ImportButton)->isDefault());
            // The row numbers fit and cannot be resized by the user.
            EXPECT_EQ(headings(d)->sectionResizeMode(0), QHeaderView::Fixed);
            return int(QDialog::Rejected);
        },
        QStringLiteral("/home/u/people.csv"));
    EXPECT_TRUE(prompt.shown.empty());
}

TEST(ImportCSVDlg, HeadingClicksDeleteColumnsAndReloadBringsThemBack) {
    ScriptedPrompt prompt;
    (void)runDialog(importFixture("ten_columns.csv"), [](ImportCSVDlg& d) {
        EXPECT_EQ(d.model().DataColumnCount(), 10);
        clickHeadingAt(d, 2);
        clickHeadingAt(d, 4); // "Field 5", now shown fourth
        EXPECT_EQ(d.model().DataColumnCount(), 8);
        EXPECT_EQ(shownHeadings(d).mid(1, 4),
                  (QStringList{QStringLiteral("Field 1"), QStringLiteral("Field 3"),
                               QStringLiteral("Field 4"), QStringLiteral("Field 6")}));
        // The row numbers' heading deletes nothing.
        clickHeadingAt(d, 0);
        EXPECT_EQ(d.model().DataColumnCount(), 8);
        click(d, ImportCSVDlg::Reload);
        EXPECT_EQ(d.model().DataColumnCount(), 10);
        EXPECT_EQ(d.model().rowCount(), 3);
        return int(QDialog::Rejected);
    });
}

TEST(ImportCSVDlg, DraggedNinthFieldLeadsEveryContact) {
    ScriptedPrompt prompt;
    std::vector<QStringList> seen;
    const auto result = runDialog(importFixture("ten_columns.csv"), [&seen](ImportCSVDlg& d) {
        shoot(d, "import-before-reorder");
        dragHeading(d, 9, 1);
        shoot(d, "import-after-reorder");
        seen.push_back(shownHeadings(d));
        // Dragging moved the column and deleted nothing.
        EXPECT_EQ(d.model().DataColumnCount(), 10);
        click(d, ImportCSVDlg::DeleteColumns);
        seen.push_back(shownHeadings(d));
        // The row numbers stay in front even when dragged away.
        dragHeading(d, 0, 3);
        seen.push_back(shownHeadings(d));
        click(d, ImportCSVDlg::ImportButton);
        return d.QDialog::result();
    });
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].mid(0, 3),
              (QStringList{QString(), QStringLiteral("Field 9"), QStringLiteral("Field 1")}));
    EXPECT_EQ(seen[1], (QStringList{QString(), QStringLiteral("Field 9"), QStringLiteral("Field 1"),
                                    QStringLiteral("Field 2"), QStringLiteral("Field 3"),
                                    QStringLiteral("Field 4"), QStringLiteral("Field 5"),
                                    QStringLiteral("Field 6"), QStringLiteral("Field 7")}));
    EXPECT_EQ(seen[2], seen[1]);
    ASSERT_TRUE(result);
    ASSERT_EQ(result->size(), 3u);
    EXPECT_EQ((*result)[1], "Title2\r\nName2\r\nStreet2\r\nCity2\r\nRegion2\r\nZip2\r\nCountry2\r\n"
                            "Phone2\r\n");
}

TEST(ImportCSVDlg, DelimiterChangeKeepsTheNumberOfDeletedColumns) {
    ScriptedPrompt prompt;
    // Comma is chosen (first line); the semicolon splits the rows into six fields.
    const QByteArray bytes = "a,b,c\n1;2;3;4;5;6\n7;8;9;10;11;12\n";
    (void)runDialog(bytes, [](ImportCSVDlg& d) {
        EXPECT_EQ(d.model().DataColumnCount(), 3);
        clickHeadingAt(d, 1);
        clickHeadingAt(d, 1);
        auto* combo = d.control<QComboBox>(ImportCSVDlg::DelimiterCombo);
        combo->setCurrentIndex(combo->findText(QStringLiteral("Semicolon")));
        EXPECT_EQ(d.delimiter(), ';');
        EXPECT_EQ(d.model().DataColumnCount(), 4);
        EXPECT_EQ(d.model().Cell(2, 4), "10");
        // Reload shows every field of the delimiter in use.
        click(d, ImportCSVDlg::Reload);
        EXPECT_EQ(d.model().DataColumnCount(), 6);
        EXPECT_EQ(d.delimiter(), ';');
        return int(QDialog::Rejected);
    });
}

TEST(ImportCSVDlg, DeletesSelectedRowsAndImportsWhatIsLeft) {
    ScriptedPrompt prompt;
    const auto result =
        runDialog("Name,Street\nAnn,1 Road\nBob,2 Lane\nCy,3 Way\n", [](ImportCSVDlg& d) {
            // The heading row and Bob, picked with Ctrl held as a user would.
            auto* view = d.table();
            const auto rowPoint = [view](int row) {
                return view->visualRect(view->model()->index(row, 1)).center();
            };
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rowPoint(0));
            QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ControlModifier, rowPoint(2));
            click(d, ImportCSVDlg::DeleteRows);
            EXPECT_EQ(d.model().rowCount(), 2);
            EXPECT_EQ(d.model().data(d.model().index(1, 0)).toString(), QStringLiteral("2"));
            // The Delete key deletes the selected rows too.
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rowPoint(1));
            QTest::keyClick(view, Qt::Key_Delete);
            EXPECT_EQ(d.model().rowCount(), 1);
            click(d, ImportCSVDlg::ImportButton);
            return d.QDialog::result();
        });
    ASSERT_TRUE(result);
    EXPECT_EQ(*result, (std::vector<std::string>{"Ann\r\n1 Road\r\n"}));
}

TEST(ImportCSVDlg, EmptyRowsImportNothingAndCancelLoadsNothing) {
    ScriptedPrompt prompt;
    const auto empty = runDialog(importFixture("only_delimiters.csv"), [](ImportCSVDlg& d) {
        click(d, ImportCSVDlg::ImportButton);
        return d.QDialog::result();
    });
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->empty());

    // Through the contact list: Cancel restores the list and says so.
    TempDir dir;
    QString name = dir.write(QStringLiteral("export.csv"), "Ann,Road\n");
    LabelPreferences prefs;
    ContactList list(prefs);
    ImportDialogImporter importer;
    list.FileReader()->SetImporter(&importer);
    list.contacts.Add("Old");
    prompt.answer(Prompt::Answer::No); // replace
    DialogRunner::setHook([](QDialog& d) {
        EXPECT_NE(dynamic_cast<ImportCSVDlg*>(&d), nullptr);
        return int(QDialog::Rejected);
    });
    EXPECT_FALSE(list.LoadContacts(ContactSource::kFile, name));
    DialogRunner::setHook({});
    EXPECT_EQ(list.contacts.Strings(), std::vector<std::string>{"Old"});
    EXPECT_FALSE(list.contactsModified);
    ASSERT_EQ(prompt.shown.size(), 2u);
    EXPECT_EQ(prompt.shown[1].text, QStringLiteral("Didn't load contacts."));
}

TEST(ImportCSVDlg, FileOfMoreRowsThanTheTableTakesIsRefusedBeforeTheDialog) {
    // Empty rows are rows too: a million line ends after a heading make one row too many.
    ScriptedPrompt prompt;
    TempDir dir;
    QString name = dir.write(QStringLiteral("huge.csv"),
                             "Name,Town\n" + QByteArray(DelimitedTable::kMaxRows, '\n'));
    LabelPreferences prefs;
    ContactList list(prefs);
    ImportDialogImporter importer;
    list.FileReader()->SetImporter(&importer);
    int dialogs = 0;
    DialogRunner::setHook([&dialogs](QDialog&) {
        ++dialogs;
        return int(QDialog::Accepted);
    });
    EXPECT_FALSE(list.LoadContacts(ContactSource::kFile, name));
    DialogRunner::setHook({});
    EXPECT_EQ(dialogs, 0);
    EXPECT_EQ(
        prompt.texts(),
        (QStringList{QStringLiteral("The file huge.csv has more than 1,000,000 rows: too many to "
                                    "import."),
                     QStringLiteral("Didn't load contacts.")}));
    EXPECT_TRUE(list.contacts.IsEmpty());

    // One row fewer is shown whole.
    const auto rows = runDialog("Name,Town\n" + QByteArray(DelimitedTable::kMaxRows - 1, '\n'),
                                [](ImportCSVDlg& d) {
                                    EXPECT_EQ(d.model().rowCount(), DelimitedTable::kMaxRows);
                                    return int(QDialog::Rejected);
                                });
    EXPECT_FALSE(rows);
    EXPECT_EQ(prompt.texts().size(), 2);
}

TEST(ImportCSVDlg, ControlsFollowTheWindowAndTheMinimumHolds) {
    ScriptedPrompt prompt;
    (void)runDialog(importFixture("ten_columns.csv"), [](ImportCSVDlg& d) {
        const auto geometryOf = [&d](int id) { return d.control(id)->geometry(); };
        const QRect table = geometryOf(ImportCSVDlg::Table);
        const QRect import = geometryOf(ImportCSVDlg::ImportButton);
        const QRect rows = geometryOf(ImportCSVDlg::DeleteRows);
        const QRect combo = geometryOf(ImportCSVDlg::DelimiterCombo);
        const QRect text = geometryOf(ImportCSVDlg::Instruction);
        d.resize(d.width() + 100, d.height() + 50);
        QApplication::processEvents();
        EXPECT_EQ(geometryOf(ImportCSVDlg::Table), table.adjusted(0, 0, 100, 50));
        EXPECT_EQ(geometryOf(ImportCSVDlg::ImportButton), import.translated(100, 50));
        EXPECT_EQ(geometryOf(ImportCSVDlg::DeleteRows), rows.translated(0, 50));
        EXPECT_EQ(geometryOf(ImportCSVDlg::DelimiterCombo), combo.translated(100, 0));
        EXPECT_EQ(geometryOf(ImportCSVDlg::Instruction), text.adjusted(0, 0, 100, 0));
        d.resize(100, 100);
        QApplication::processEvents();
        const QSize frame = d.frameGeometry().size() - d.size();
        EXPECT_EQ(d.width() + frame.width(), ImportCSVDlg::kMinWidth);
        EXPECT_EQ(d.height() + frame.height(), ImportCSVDlg::kMinHeight);
        shoot(d, "import-smallest");
        // At the smallest size the two button groups still stand apart, every caption fits
        // its button and the table keeps some rows.
        EXPECT_LT(geometryOf(ImportCSVDlg::DeleteColumns).right() + 4,
                  geometryOf(ImportCSVDlg::Reload).left());
        for (const int id :
             {ImportCSVDlg::DeleteRows, ImportCSVDlg::DeleteColumns, ImportCSVDlg::Reload,
              ImportCSVDlg::ImportButton, ImportCSVDlg::CancelButton}) {
            auto* button = d.control<QPushButton>(id);
            EXPECT_GE(button->width(), button->fontMetrics().horizontalAdvance(button->text()) + 8)
                << button->text().toStdString();
        }
        EXPECT_GT(geometryOf(ImportCSVDlg::Table).height(), 100);
        return int(QDialog::Rejected);
    });
}

TEST(ImportCSVDlg, ShowsTheLettersOfAUtf16File) {
    ScriptedPrompt prompt;
    (void)runDialog(importFixture("accents_utf16le.csv"), [](ImportCSVDlg& d) {
        shoot(d, "import-utf16");
        EXPECT_EQ(d.model().data(d.model().index(1, 1)).toString(),
                  QStringLiteral("M\u00FCller, Zo\u00EB"));
        EXPECT_EQ(d.model().data(d.model().index(1, 3)).toString(),
                  QStringLiteral("S\u00E3o Paulo"));
        EXPECT_EQ(d.model().data(d.model().index(1, 4)).toString(), QStringLiteral("\u20AC 5"));
        return int(QDialog::Rejected);
    });
}

// A semicolon export with a comma in one address opens split at the semicolon the detection
// chose (as quillmark-print splits it); the comma stays in the box, first.
TEST(ImportCSVDlg, OpensAtTheDetectedDelimiterWithItsOwnColumns) {
    ScriptedPrompt prompt;
    (void)runDialog("Name;Street;Town\nAnn;12, rue de l'\xC3\x89glise;Paris\n",
                    [](ImportCSVDlg& d) {
                        auto* combo = d.control<QComboBox>(ImportCSVDlg::DelimiterCombo);
                        EXPECT_EQ(combo->itemText(0), QStringLiteral("Comma"));
                        EXPECT_EQ(combo->currentText(), QStringLiteral("Semicolon"));
                        EXPECT_EQ(d.delimiter(), ';');
                        EXPECT_EQ(d.model().DataColumnCount(), 3);
                        EXPECT_EQ(d.model().Cell(1, 2), "12, rue de l'\xC3\x89glise");
        shoot(d, "import-semicolon");
                        // Switching to the comma gives that delimiter's own columns.
                        combo->setCurrentIndex(0);
                        EXPECT_EQ(d.delimiter(), ',');
                        EXPECT_EQ(d.model().DataColumnCount(), 2);
                        return int(QDialog::Rejected);
                    });
}

namespace {
QStringList fieldHeadings(std::initializer_list<int> fields) {
    QStringList out{QString()};
    for (int f : fields)
        out << QStringLiteral("Field %1").arg(f);
    return out;
}

// Shows the dialog as the active window with the keyboard focus in the table.
void focusTable(ImportCSVDlg& d) {
    d.activateWindow();
    QApplication::setActiveWindow(&d);
    d.table()->setFocus();
    QApplication::processEvents();
}

void key(ImportCSVDlg& d, Qt::Key k, Qt::KeyboardModifiers mods = {}) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &d;
    QTest::keyClick(target, k, mods);
    QApplication::processEvents();
}
} // namespace

TEST(ImportCSVDlg, ReloadAfterADragAndADeletionRestoresTheNaturalOrder) {
    ScriptedPrompt prompt;
    QStringList afterReload;
    const auto result = runDialog(importFixture("ten_columns.csv"), [&](ImportCSVDlg& d) {
        dragHeading(d, 8, 1);
        clickHeadingAt(d, 3);
        EXPECT_EQ(shownHeadings(d), fieldHeadings({8, 1, 3, 4, 5, 6, 7, 9, 10}));
        click(d, ImportCSVDlg::Reload);
        afterReload = shownHeadings(d);
        click(d, ImportCSVDlg::ImportButton);
        return d.QDialog::result();
    });
    EXPECT_EQ(afterReload, fieldHeadings({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    ASSERT_TRUE(result);
    ASSERT_EQ(result->size(), 3u);
    EXPECT_EQ((*result)[0], "Name1\r\nStreet1\r\nCity1\r\nRegion1\r\nZip1\r\nCountry1\r\n"
                            "Phone1\r\nMail1\r\n");
}

TEST(ImportCSVDlg, TabLeavesTheTable) {
    ScriptedPrompt prompt;
    (void)runDialog(importFixture("ten_columns.csv"), [](ImportCSVDlg& d) {
        focusTable(d);
        EXPECT_EQ(QApplication::focusWidget(), d.table());
        key(d, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), d.control(ImportCSVDlg::DeleteRows));
        key(d, Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(QApplication::focusWidget(), d.table());
        key(d, Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(QApplication::focusWidget(), d.control(ImportCSVDlg::DelimiterCombo));
        return int(QDialog::Rejected);
    });
}

TEST(ImportCSVDlg, AccessKeysReachEveryButtonAndTheDelimiterBox) {
    ScriptedPrompt prompt;
    struct Case {
        int id;
        Qt::Key key;
    };
    const Case buttons[] = {{ImportCSVDlg::DeleteRows, Qt::Key_D},
                            {ImportCSVDlg::DeleteColumns, Qt::Key_B},
                            {ImportCSVDlg::Reload, Qt::Key_R},
                            {ImportCSVDlg::ImportButton, Qt::Key_I},
                            {ImportCSVDlg::CancelButton, Qt::Key_C}};
    for (const Case& c : buttons) {
        (void)runDialog(importFixture("ten_columns.csv"), [&c](ImportCSVDlg& d) {
            focusTable(d);
            QSignalSpy clicked(d.control<QPushButton>(c.id), &QPushButton::clicked);
            key(d, c.key, Qt::AltModifier);
            // An access key clicks its button after a short flash.
            EXPECT_TRUE(clicked.count() == 1 || clicked.wait(2000)) << c.id;
            return int(QDialog::Rejected);
        });
    }
    (void)runDialog(importFixture("ten_columns.csv"), [](ImportCSVDlg& d) {
        focusTable(d);
        key(d, Qt::Key_L, Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget(), d.control(ImportCSVDlg::DelimiterCombo));
        return int(QDialog::Rejected);
    });
}

TEST(ImportCSVDlg, KeysDeleteAndMoveTheCurrentColumn) {
    ScriptedPrompt prompt;
    std::vector<QStringList> seen;
    const auto result = runDialog(importFixture("ten_columns.csv"), [&seen](ImportCSVDlg& d) {
        // The keys are named where the user looks for them.
        for (const char* k : {"Ctrl+Delete", "Ctrl+Left", "Ctrl+Right"})
            EXPECT_TRUE(d.table()->toolTip().contains(QLatin1String(k))) << k;
        focusTable(d);
        d.table()->setCurrentIndex(d.model().index(0, 0));
        key(d, Qt::Key_Right);
        key(d, Qt::Key_Right); // on "Field 2"
        key(d, Qt::Key_Right, Qt::ControlModifier);
        seen.push_back(shownHeadings(d));
        key(d, Qt::Key_Left, Qt::ControlModifier);
        key(d, Qt::Key_Left, Qt::ControlModifier);
        // The row numbers stay in front.
        key(d, Qt::Key_Left, Qt::ControlModifier);
        seen.push_back(shownHeadings(d));
        key(d, Qt::Key_Delete, Qt::ControlModifier); // deletes "Field 2"
        key(d, Qt::Key_Delete, Qt::ControlModifier); // and then "Field 1", now current
        seen.push_back(shownHeadings(d));
        EXPECT_EQ(d.model().rowCount(), 3); // no row was deleted
        click(d, ImportCSVDlg::ImportButton);
        return d.QDialog::result();
    });
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], fieldHeadings({1, 3, 2, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(seen[1], fieldHeadings({2, 1, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(seen[2], fieldHeadings({3, 4, 5, 6, 7, 8, 9, 10}));
    ASSERT_TRUE(result);
    EXPECT_EQ((*result)[2], "City3\r\nRegion3\r\nZip3\r\nCountry3\r\nPhone3\r\nMail3\r\n"
                            "Title3\r\nNote3\r\n");
}

TEST(ImportCSVDlg, F1OpensTheImportHelpPage) {
    ScriptedPrompt prompt;
    (void)runDialog(importFixture("ten_columns.csv"), [](ImportCSVDlg& d) {
        focusTable(d);
        key(d, Qt::Key_F1);
        auto* help = d.findChild<HelpWindow*>();
        EXPECT_NE(help, nullptr);
        if (help) {
            EXPECT_TRUE(help->isVisible());
            const QUrl source = help->browser()->source();
            EXPECT_EQ(source.fileName(), QStringLiteral("contacts.html"));
            EXPECT_EQ(source.fragment(), QStringLiteral("import"));
            // The page names the column keys the dialog offers.
            const QString text = help->browser()->toPlainText();
            for (const char* k : {"Ctrl+Delete", "Ctrl+Left", "Ctrl+Right", "F1"})
                EXPECT_TRUE(text.contains(QLatin1String(k))) << k;
        }
        return int(QDialog::Rejected);
    });
    EXPECT_TRUE(prompt.shown.empty());
}
