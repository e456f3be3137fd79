#include "contacts/ui/ImportCSVDlg.h"

#include "contacts/CCSVFile.h"
#include "platform/AppPaths.h"
#include "platform/Prompt.h"
#include "platform/Text.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/HelpWindow.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QShortcut>
#include <QTableView>
#include <algorithm>

namespace {
constexpr int kWidth = 417;
constexpr int kHeight = 194;
// Room for the cell's padding and grid line beside the text itself.
constexpr int kCellPadding = 14;
constexpr int kMeasuredRows = 100;
} // namespace

ImportCSVDlg::ImportCSVDlg(const CCSVFile& file, QWidget* parent)
    : QDialog(parent), template_(this), file_(file), columnCount_(file.fieldCount()),
      detectedColumnCount_(file.fieldCount()), presence(file.presenceMask()), model_(this) {
    auto* instruction = template_.place(
        new QLabel(QStringLiteral(
            "Delete an unwanted field by clicking its header. Drag headers to re-order fields. "
            "Only the first eight columns can be imported (empty columns are ignored). See "
            "Help for more info.")),
        Instruction, 7, 7, 300, 25);
    instruction->setWordWrap(true);
    instruction->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* delimiterLabel =
        template_.place(new QLabel(QStringLiteral("De&limiter:")), DelimiterLabel, 318, 9, 36, 8);
    delimiterLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    combo_ = template_.place(new QComboBox, DelimiterCombo, 358, 7, 52, 60);
    // The template height is the drop-down's; the box itself is one line.
    combo_->resize(combo_->width(), combo_->sizeHint().height());
    delimiterLabel->resize(delimiterLabel->width(), combo_->height());
    delimiterLabel->move(delimiterLabel->x(), combo_->y());
    delimiterLabel->setBuddy(combo_);

    table_ = template_.place(new QTableView, Table, 7, 36, 403, 132);
    auto* deleteRows = template_.place(new QPushButton(QStringLiteral("&Delete selected row(s)")),
                                       DeleteRows, 7, 173, 82, 14);
    auto* deleteColumns =
        template_.place(new QPushButton(QStringLiteral("Delete all &but first 8 columns")),
                        DeleteColumns, 93, 173, 97, 14);
    auto* reload =
        template_.place(new QPushButton(QStringLiteral("&Reload")), Reload, 258, 173, 48, 14);
    auto* import =
        template_.place(new QPushButton(QStringLiteral("&Import")), ImportButton, 310, 173, 48, 14);
    auto* cancel =
        template_.place(new QPushButton(QStringLiteral("&Cancel")), CancelButton, 362, 173, 48, 14);
    import->setDefault(true);
    import->setAutoDefault(true);
    for (QPushButton* b : {deleteRows, deleteColumns, reload, cancel})
        b->setAutoDefault(false);

    templateClient = template_.size(kWidth, kHeight);
    resize(templateClient);
    AddAnchor(Instruction, false, true, false, false);
    AddAnchor(Table, false, true, true, true);
    AddAnchor(DeleteRows, false, false, true, false);
    AddAnchor(DeleteColumns, false, false, true, false);
    AddAnchor(Reload, true, false, true, false);
    AddAnchor(ImportButton, true, false, true, false);
    AddAnchor(CancelButton, true, false, true, false);
    AddAnchor(DelimiterLabel, true, false, false, false);
    AddAnchor(DelimiterCombo, true, false, false, false);
    setSizeGripEnabled(true);
    setMinimumSize(kMinWidth, kMinHeight);

    table_->setModel(&model_);
    // Tab moves on to the buttons; the arrow keys move between the cells.
    table_->setTabKeyNavigation(false);
    table_->setAccessibleName(QStringLiteral("Fields"));
    table_->setToolTip(QStringLiteral(
        "Delete: delete the selected rows. Ctrl+Delete: delete the current column. Ctrl+Left, "
        "Ctrl+Right: move the current column left or right. F1: help."));
    table_->setShowGrid(true);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    // Rows are one line each; a fixed height lets the view skip measuring 100,000 of them.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(QFontMetrics(font()).height() + 4);
    // Column widths come from the rows in view and each column's longest cell; measuring a
    // thousand rows per column, as Qt would, adds nothing but time.
    table_->verticalHeader()->setResizeContentsPrecision(kMeasuredRows);
    QHeaderView* header = table_->horizontalHeader();
    header->setSectionsMovable(true);
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setStretchLastSection(false);

    // The table opens split at the delimiter the detection chose (that of the first line
    // with any), as quillmark-print splits the file: a comma in one address of a semicolon
    // export must not split the whole file at commas. The others stay in the box.
    delim = file.delimiter();
    if (delim == 0) {
        for (std::size_t d = 0; d < CCSVFile::kDelimiters.size() && delim == 0; ++d)
            if (presence & (1u << d))
                delim = CCSVFile::kDelimiters[d].character;
    }
    columnCount_ = detectedColumnCount_ = file.fieldCount(delim);
    setWindowTitle(QStringLiteral("Importing ") + AppPaths::lastComponent(file.fileName()));
    FillTable();
    for (std::size_t d = 0; d < CCSVFile::kDelimiters.size(); ++d) {
        if (presence & (1u << d)) {
            combo_->addItem(QString::fromLatin1(CCSVFile::kDelimiters[d].name));
            if (CCSVFile::kDelimiters[d].character == delim)
                combo_->setCurrentIndex(combo_->count() - 1);
        }
    }
    if (combo_->currentIndex() < 0 && combo_->count() > 0)
        combo_->setCurrentIndex(0);

    // The Delete key does what "Delete selected row(s)" does, as in any list of rows.
    auto* deleteKey = new QShortcut(QKeySequence::Delete, table_);
    deleteKey->setContext(Qt::WidgetWithChildrenShortcut);
    connect(deleteKey, &QShortcut::activated, this, &ImportCSVDlg::OnDeleteRows);
    // What a click on a heading and a drag do, for the column of the current cell.
    auto tableKey = [this](const QKeySequence& keys, auto slot) {
        auto* shortcut = new QShortcut(keys, table_);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, slot);
    };
    tableKey(QKeySequence(Qt::CTRL | Qt::Key_Delete), [this] { OnDeleteCurrentColumn(); });
    tableKey(QKeySequence(Qt::CTRL | Qt::Key_Left), [this] { OnMoveCurrentColumn(-1); });
    tableKey(QKeySequence(Qt::CTRL | Qt::Key_Right), [this] { OnMoveCurrentColumn(1); });
    auto* helpKey = new QShortcut(QKeySequence::HelpContents, this);
    connect(helpKey, &QShortcut::activated, this, &ImportCSVDlg::ShowHelp);

    connect(combo_, &QComboBox::currentIndexChanged, this, &ImportCSVDlg::OnDelimiterChange);
    connect(reload, &QPushButton::clicked, this, &ImportCSVDlg::OnReload);
    connect(deleteRows, &QPushButton::clicked, this, &ImportCSVDlg::OnDeleteRows);
    connect(deleteColumns, &QPushButton::clicked, this, &ImportCSVDlg::OnDeleteColumns);
    connect(import, &QPushButton::clicked, this, &ImportCSVDlg::OnImport);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(header, &QHeaderView::sectionClicked, this, &ImportCSVDlg::OnHeadingClicked);
    connect(header, &QHeaderView::sectionMoved, this, &ImportCSVDlg::KeepRowNumbersFirst);
}

static_assert(DelimitedTable::kMaxRows == 1000000, "the message names the limit");

std::optional<std::vector<std::string>> ImportCSVDlg::Run(const CCSVFile& file, QWidget* parent) {
    // Counted before the table is built, which would take many times the file's size.
    if (DelimitedTable::HasMoreRowsThan(file.text(), DelimitedTable::kMaxRows)) {
        showMessage(QStringLiteral("The file ") + AppPaths::lastComponent(file.fileName()) +
                    QStringLiteral(" has more than 1,000,000 rows: too many to import."));
        return std::nullopt;
    }
    ImportCSVDlg dialog(file, parent);
    if (DialogRunner::exec(dialog) != QDialog::Accepted)
        return std::nullopt;
    // Moved out: a large import's contacts are not held twice.
    return std::move(dialog.contacts);
}

void ImportCSVDlg::AddAnchor(int id, bool right, bool stretchX, bool bottom, bool stretchY) {
    QWidget* w = control(id);
    anchors.push_back({w, right, stretchX, bottom, stretchY, w->geometry()});
}

void ImportCSVDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int dx = width() - templateClient.width();
    const int dy = height() - templateClient.height();
    for (const Anchor& a : anchors) {
        QRect rc = a.rect;
        if (a.stretchX)
            rc.setRight(rc.right() + dx);
        else if (a.right)
            rc.translate(dx, 0);
        if (a.stretchY)
            rc.setBottom(rc.bottom() + dy);
        else if (a.bottom)
            rc.translate(0, dy);
        a.widget->setGeometry(rc);
    }
    update();
}

void ImportCSVDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The minimum counts the frame, which is known only once the window is shown.
    const QSize frame = frameGeometry().size() - size();
    setMinimumSize(std::max(0, kMinWidth - frame.width()),
                   std::max(0, kMinHeight - frame.height()));
}

void ImportCSVDlg::FillTable() {
    model_.SetTable(DelimitedTable::Parse(file_.text(), delim, columnCount_));
    ResetColumnOrder();
    QHeaderView* header = table_->horizontalHeader();
    header->setSectionResizeMode(0, QHeaderView::Fixed);
    SizeColumns();
}

void ImportCSVDlg::SizeColumns() {
    // Qt measures the rows near the top; the longest cell of each column is measured too,
    // so that a long entry far down the file is not cut off.
    QHeaderView* header = table_->horizontalHeader();
    const QFontMetrics cellMetrics(table_->font());
    const QFontMetrics headingMetrics(header->font());
    const int rows = model_.rowCount();
    header->resizeSection(0, cellMetrics.horizontalAdvance(QString::number(std::max(rows, 1))) +
                                 kCellPadding);
    for (int c = 1; c < model_.columnCount(); ++c) {
        table_->resizeColumnToContents(c);
        int width = header->sectionSize(c);
        const int longest = model_.LongestRow(c);
        if (longest >= 0) {
            const QString text = model_.data(model_.index(longest, c)).toString();
            width = std::max(width, cellMetrics.horizontalAdvance(text) + kCellPadding);
        }
        width = std::max(width, headingMetrics.horizontalAdvance(
                                    model_.headerData(c, Qt::Horizontal).toString()) +
                                    kCellPadding);
        header->resizeSection(c, width);
    }
}

void ImportCSVDlg::OnDelimiterChange() {
    const QString name = combo_->currentText();
    for (const auto& d : CCSVFile::kDelimiters) {
        if (name == QLatin1String(d.name)) {
            // The columns deleted so far stay deleted in number; the new delimiter's own
            // field count decides how many there are to begin with.
            const int deleted = detectedColumnCount_ - columnCount_;
            delim = d.character;
            detectedColumnCount_ = file_.fieldCount(delim);
            columnCount_ = std::max(1, detectedColumnCount_ - deleted);
            FillTable();
            return;
        }
    }
}

void ImportCSVDlg::OnReload() {
    columnCount_ = detectedColumnCount_;
    FillTable();
}

void ImportCSVDlg::OnDeleteRows() {
    std::vector<int> selected;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows())
        selected.push_back(index.row());
    model_.RemoveRowSet(std::move(selected));
    table_->clearSelection();
    SizeColumns();
}

void ImportCSVDlg::OnHeadingClicked(int logical) {
    if (logical <= 0 || logical >= model_.columnCount())
        return;
    model_.removeColumn(logical);
    columnCount_ = model_.DataColumnCount();
    SizeColumns();
}

void ImportCSVDlg::OnDeleteColumns() {
    QHeaderView* header = table_->horizontalHeader();
    while (model_.DataColumnCount() > ImportTableModel::kMaxContactLines) {
        const int logical = header->logicalIndex(header->count() - 1);
        if (logical <= 0)
            break;
        model_.removeColumn(logical);
    }
    columnCount_ = model_.DataColumnCount();
    SizeColumns();
}

std::vector<int> ImportCSVDlg::DisplayedColumns() const {
    const QHeaderView* header = table_->horizontalHeader();
    std::vector<int> order;
    for (int v = 0; v < header->count(); ++v) {
        const int logical = header->logicalIndex(v);
        if (logical > 0)
            order.push_back(logical);
    }
    return order;
}

void ImportCSVDlg::OnImport() {
    contacts = model_.Contacts(DisplayedColumns());
    accept();
}

void ImportCSVDlg::KeepRowNumbersFirst() {
    // The row numbers are not a field: they stay in front, whatever is dragged.
    QHeaderView* header = table_->horizontalHeader();
    const int at = header->visualIndex(0);
    // The move back reports itself too, and then finds the row numbers in place.
    if (at > 0)
        header->moveSection(at, 0);
}

void ImportCSVDlg::ResetColumnOrder() {
    // The header keeps its sections' display order across a model reset: a fresh table
    // shows its fields in the file's order again.
    QHeaderView* header = table_->horizontalHeader();
    for (int logical = 0; logical < header->count(); ++logical) {
        const int at = header->visualIndex(logical);
        if (at != logical)
            header->moveSection(at, logical);
    }
}

int ImportCSVDlg::CurrentDataColumn() const {
    const QModelIndex current = table_->currentIndex();
    return current.isValid() ? std::max(current.column(), 0) : 0;
}

void ImportCSVDlg::OnDeleteCurrentColumn() {
    const int logical = CurrentDataColumn();
    if (logical <= 0)
        return;
    QHeaderView* header = table_->horizontalHeader();
    const int at = header->visualIndex(logical);
    const int row = table_->currentIndex().row();
    OnHeadingClicked(logical);
    // The column that took its place becomes current, so the key can be pressed again.
    const int next = std::min(at, header->count() - 1);
    if (next > 0) {
        const QModelIndex index = model_.index(row, header->logicalIndex(next));
        table_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        table_->scrollTo(index);
    }
}

void ImportCSVDlg::OnMoveCurrentColumn(int step) {
    const int logical = CurrentDataColumn();
    if (logical <= 0)
        return;
    QHeaderView* header = table_->horizontalHeader();
    const int at = header->visualIndex(logical);
    const int to = at + step;
    // The row numbers stay in front.
    if (to < 1 || to >= header->count())
        return;
    header->moveSection(at, to);
    table_->scrollTo(table_->currentIndex());
}

void ImportCSVDlg::ShowHelp() {
    // A window of the dialog's own: the dialog is modal and would block any other.
    if (!help)
        help = new HelpWindow(this);
    if (!help->ShowPage(AppPaths::helpFolder(), kHelpPage)) {
        showMessage(QStringLiteral("Sorry, couldn't load help."));
        return;
    }
    help->show();
    help->raise();
    help->activateWindow();
}
