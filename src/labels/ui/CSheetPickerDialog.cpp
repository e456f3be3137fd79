#include "labels/ui/CSheetPickerDialog.h"

#include "labels/SheetLibrary.h"
#include "labels/ui/CPageView.h"
#include "labels/ui/SheetTableModel.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/DialogUnits.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// The miniature draws A4 at a fixed scale; it is the page preview's own control.
constexpr int kPreviewWidth = 100, kPreviewHeight = 140;

} // namespace

CSheetPickerDialog::CSheetPickerDialog(const std::vector<LabelSheet>& sheets, QWidget* parent)
    : QDialog(parent), sheets_(sheets), searchTexts_(SheetLibrary::searchTexts(sheets)),
      search_(new QLineEdit), paper_(new QComboBox), list_(new QTreeView),
      model_(new SheetTableModel(this)), preview_(new CPageView(previewValues_)),
      details_(new QLabel), count_(new QLabel),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel)) {
    setWindowTitle(kTitle);
    setFont(DialogUnits::dialogFont());

    auto* searchText = new QLabel(QStringLiteral("&Search:"));
    searchText->setBuddy(search_);
    search_->setPlaceholderText(QStringLiteral("Code, layout or size: L7160, 3 x 7, 30 per sheet"));
    search_->setClearButtonEnabled(true);
    auto* paperText = new QLabel(QStringLiteral("&Paper:"));
    paperText->setBuddy(paper_);
    paper_->addItem(QStringLiteral("All papers"));
    paper_->addItem(LabelSheet::paperName(LabelSheet::Paper::A4));
    paper_->addItem(LabelSheet::paperName(LabelSheet::Paper::Letter));

    list_->setAccessibleName(QStringLiteral("Label sheets"));
    list_->setModel(model_);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->header()->setStretchLastSection(true);
    list_->setMinimumSize(560, 300);

    preview_->setFixedSize(kPreviewWidth, kPreviewHeight);
    details_->setWordWrap(true);
    details_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    details_->setFixedWidth(170);
    details_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* top = new QHBoxLayout;
    top->addWidget(searchText);
    top->addWidget(search_, 1);
    top->addSpacing(12);
    top->addWidget(paperText);
    top->addWidget(paper_);

    auto* side = new QVBoxLayout;
    side->addWidget(preview_, 0, Qt::AlignHCenter);
    side->addWidget(details_, 1);

    auto* middle = new QHBoxLayout;
    middle->addWidget(list_, 1);
    middle->addLayout(side);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(count_, 1);
    bottom->addWidget(buttons_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addLayout(bottom);

    connect(search_, &QLineEdit::textChanged, this, &CSheetPickerDialog::refill);
    connect(paper_, &QComboBox::currentIndexChanged, this, &CSheetPickerDialog::refill);
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CSheetPickerDialog::selectionChanged);
    connect(list_, &QTreeView::activated, this, [this] {
        if (chosen_ != nullptr)
            accept();
    });
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Down from the search box goes into the list, so the keyboard alone picks a sheet.
    connect(search_, &QLineEdit::returnPressed, this, [this] {
        if (model_->rowCount() > 0)
            list_->setFocus();
    });

    refill();
    // Each column as wide as its texts, but no long name of some database's pushes the
    // description out of sight.
    constexpr int kMaxColumnWidth = 150;
    for (int c = 0; c < SheetTableModel::kColumns - 1; ++c) {
        list_->resizeColumnToContents(c);
        list_->setColumnWidth(c, std::min(list_->columnWidth(c), kMaxColumnWidth));
    }
    resize(sizeHint().width() + 200, sizeHint().height());
}

void CSheetPickerDialog::refill() {
    std::optional<LabelSheet::Paper> paper;
    if (paper_->currentIndex() == 1)
        paper = LabelSheet::Paper::A4;
    else if (paper_->currentIndex() == 2)
        paper = LabelSheet::Paper::Letter;
    const LabelSheet* keep = chosen_;
    model_->setSheets(SheetLibrary::find(sheets_, search_->text(), paper, &searchTexts_));
    const auto& shown = model_->sheets();
    count_->setText(shown.size() == sheets_.size()
                        ? QStringLiteral("%1 sheets").arg(sheets_.size())
                        : QStringLiteral("%1 of %2 sheets").arg(shown.size()).arg(sheets_.size()));
    // A search that keeps the chosen sheet keeps it chosen, unless a sheet has exactly the
    // code typed; otherwise the first one found is, so that OK right after typing a code
    // takes it.
    int row = model_->rowOf(keep);
    const LabelSheet* exact = SheetLibrary::byCode(sheets_, search_->text());
    if (exact != nullptr && !shown.empty() && shown.front() == exact)
        row = 0;
    if (row < 0 && !shown.empty())
        row = 0;
    if (row >= 0) {
        const QModelIndex index = model_->index(row, 0);
        list_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                            QItemSelectionModel::Rows);
        list_->scrollTo(index);
    }
    selectionChanged();
}

std::vector<const LabelSheet*> CSheetPickerDialog::shown() const {
    return model_->sheets();
}

void CSheetPickerDialog::selectionChanged() {
    const QModelIndexList selected = list_->selectionModel()->selectedRows();
    chosen_ = selected.isEmpty() ? nullptr : model_->sheetAt(selected.first().row());
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(chosen_ != nullptr);
    if (chosen_ == nullptr) {
        previewValues_ = DimensionValues{};
        details_->setText(model_->rowCount() == 0 ? QStringLiteral("No sheet matches.")
                                                  : QString());
    } else {
        previewValues_ = DimensionValues::fromGeometry(chosen_->toGeometry());
        preview_->setPaper(LabelSheet::paperSize(chosen_->paper));
        const LabelSheet& s = *chosen_;
        details_->setText(
            QStringLiteral("<b>%1</b><br>%2<br>%3, %4 per sheet, %5<br><br>"
                           "<small>From: %6<br>Source: %7%8</small>")
                .arg(s.title().toHtmlEscaped(), s.description.toHtmlEscaped(),
                     SheetTableModel::sizeText(s))
                .arg(s.perSheet())
                .arg(LabelSheet::paperName(s.paper), SheetTableModel::fromText(s).toHtmlEscaped(),
                     s.source.toHtmlEscaped(),
                     s.note.isEmpty() ? QString()
                                      : QStringLiteral("<br>Note: ") + s.note.toHtmlEscaped()));
    }
    preview_->update();
}

const LabelSheet* CSheetPickerDialog::Choose(const std::vector<LabelSheet>& sheets,
                                             QWidget* parent) {
    CSheetPickerDialog dialog(sheets, parent);
    if (DialogRunner::exec(dialog) != QDialog::Accepted)
        return nullptr;
    return dialog.chosen();
}
