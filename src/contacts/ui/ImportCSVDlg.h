#pragma once

#include "contacts/ImportTableModel.h"
#include "platform/ui/DialogTemplate.h"

#include <QDialog>
#include <QPointer>
#include <QRect>
#include <optional>
#include <string>
#include <vector>

class CCSVFile;
class HelpWindow;
class QComboBox;
class QTableView;

// Shows a delimited file without the contact file marker as a table, so that the user can
// delete rows and columns, reorder the columns by dragging their headings and switch the
// delimiter; "Import" makes one contact of each row from the first eight columns shown.
class ImportCSVDlg : public QDialog {
    Q_OBJECT
public:
    enum Id {
        Table = 1150,
        DelimiterCombo = 1185,
        Instruction = 1188,
        DelimiterLabel = 1189,
        DeleteRows = 1183,
        DeleteColumns = 1129,
        Reload = 1128,
        ImportButton = 1,
        CancelButton = 2,
    };
    // While a border is dragged the window stays at least this large, frame included.
    static constexpr int kMinWidth = 625;
    static constexpr int kMinHeight = 265;

    // file has been through DetectFormat and found foreign.
    explicit ImportCSVDlg(const CCSVFile& file, QWidget* parent = nullptr);

    // Runs the dialog: the contacts on "Import", nullopt on Cancel. A file of more rows than
    // the table takes is refused with a message instead.
    static std::optional<std::vector<std::string>> Run(const CCSVFile& file,
                                                       QWidget* parent = nullptr);

    // The contacts "Import" made.
    const std::vector<std::string>& importedContacts() const { return contacts; }
    char delimiter() const { return delim; }
    int columnCount() const { return columnCount_; }
    QTableView* table() const { return table_; }
    ImportTableModel& model() { return model_; }

    QWidget* control(int id) const { return template_.control(id); }
    template <typename T> T* control(int id) const { return qobject_cast<T*>(control(id)); }

    // The data columns (model columns from 1) in the order the headings show them.
    std::vector<int> DisplayedColumns() const;

    // The help page that explains the dialog.
    static inline const QString kHelpPage = QStringLiteral("contacts.html#import");

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FillTable();
    void SizeColumns();
    void OnDelimiterChange();
    void OnReload();
    void OnDeleteRows();
    void OnDeleteColumns();
    void OnHeadingClicked(int logical);
    void OnImport();
    void KeepRowNumbersFirst();
    void ResetColumnOrder();
    // The data column of the table's current cell, 0 when it is on the row numbers or none.
    int CurrentDataColumn() const;
    void OnDeleteCurrentColumn();
    void OnMoveCurrentColumn(int step);
    void ShowHelp();

    struct Anchor {
        QWidget* widget;
        bool right;    // keeps its distance from the right edge
        bool stretchX; // and its left edge: grows with the window
        bool bottom;   // keeps its distance from the bottom edge
        bool stretchY; // and its top edge
        QRect rect;    // as placed, against the template's client size
    };
    void AddAnchor(int id, bool right, bool stretchX, bool bottom, bool stretchY);

    DialogTemplate template_;
    const CCSVFile& file_;
    int columnCount_ = 0;
    int detectedColumnCount_ = 0;
    std::uint32_t presence = 0;
    char delim = 0;
    std::vector<std::string> contacts;
    ImportTableModel model_;
    QTableView* table_;
    QComboBox* combo_;
    QSize templateClient;
    std::vector<Anchor> anchors;
    QPointer<HelpWindow> help;
};
