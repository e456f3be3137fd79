#pragma once

#include "labels/DimensionValues.h"
#include "labels/FontsValues.h"
#include "labels/LabelLines.h"
#include "labels/ui/SheetPage.h"

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

class CFontSample;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

// The Fonts page of the settings sheet: face, style, maximum size, text margin, alignment
// and colour of the label text, with a sample label at actual size that can step through
// the labels of the label list. Works on its own copy of the values.
class CFontsPP : public SheetPage {
    Q_OBJECT
public:
    // The sample shown when there is no label to show: five lines separated by CR.
    static const char* const kSampleAddress;

    explicit CFontsPP(QWidget* parent = nullptr);

    // The page's fields, filled by the sheet before the page is shown.
    FontsValues values;
    std::vector<std::string> labels; // the label list, UTF-8, lines separated by CR LF
    int shownLabel = -1;             // index of the label in the sample; -1 for none
    // The Dimensions page's values, from which the sample takes the label size.
    const DimensionValues* dimensions = nullptr;

    // true: takes the values from the controls with the range checks; the first failing
    // field is reported and gets the focus.
    bool UpdateData(bool saveAndValidate);
    bool OnKillActive() override;

    void FillFaceList();
    void ShowLabel(int step);
    void UpdateArrows();
    void SetScaleText(int scale);
    void FitSample();

    CFontSample* sample() const { return sample_; }
    const LabelLines& sampleLines() const { return sampleLines_; }

protected:
    void OnInitDialog() override;
    void OnSetActive() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnFaceChosen(int index);
    void OnStyleClicked();
    void OnMaxFontSizeChange();
    void OnMarginChange();
    void OnAlignmentChosen(int index);
    void OnColour();
    void OnBrowse(int step);

    QComboBox* face_;
    QCheckBox* bold_;
    QCheckBox* italic_;
    QLineEdit* maxFontSize_;
    QLineEdit* margin_;
    QComboBox* alignment_;
    CFontSample* sample_;
    QLabel* scaleText_;
    QToolButton* left_;
    QToolButton* right_;
    LabelLines sampleLines_;
    bool showing_ = false;
};
