#pragma once

#include "labels/DimensionValues.h"
#include "labels/LabelSheet.h"

#include <QDialog>
#include <vector>

class CPageView;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QTreeWidget;

// "Choose Label Sheet": a searchable list of the library's sheets, with a miniature of the
// selected one. The search takes codes ("L7160"), layouts ("3 x 7"), sizes and counts
// ("30 per sheet"); the paper list narrows it to A4 or US Letter.
class CSheetPickerDialog : public QDialog {
    Q_OBJECT
public:
    static inline const QString kTitle = QStringLiteral("Choose Label Sheet");

    explicit CSheetPickerDialog(const std::vector<LabelSheet>& sheets, QWidget* parent = nullptr);

    // The sheet chosen, or nullptr while nothing is selected.
    const LabelSheet* chosen() const { return chosen_; }

    // Runs the dialog; the sheet chosen with OK, or nullptr when cancelled.
    static const LabelSheet* Choose(const std::vector<LabelSheet>& sheets, QWidget* parent);

    QLineEdit* searchBox() const { return search_; }
    QComboBox* paperBox() const { return paper_; }
    QTreeWidget* list() const { return list_; }
    QLabel* countText() const { return count_; }
    CPageView* preview() const { return preview_; }
    QDialogButtonBox* buttons() const { return buttons_; }
    // The sheets the list shows, in order.
    std::vector<const LabelSheet*> shown() const { return shown_; }

private:
    void refill();
    void selectionChanged();

    const std::vector<LabelSheet>& sheets_;
    std::vector<const LabelSheet*> shown_;
    const LabelSheet* chosen_ = nullptr;
    DimensionValues previewValues_;

    QLineEdit* search_;
    QComboBox* paper_;
    QTreeWidget* list_;
    CPageView* preview_;
    QLabel* details_;
    QLabel* count_;
    QDialogButtonBox* buttons_;
};
