#pragma once

#include "labels/DimensionValues.h"
#include "labels/LabelPrinter.h"
#include "labels/ui/SheetPage.h"

#include <QString>

class CPageView;
class QLabel;
class QLineEdit;

// The Dimensions page of the settings sheet: the sheet geometry in millimetres, .dim files,
// the test sheet and the sheet preview. Works on its own copy of the values.
class CDimensionsPP : public SheetPage {
    Q_OBJECT
public:
    explicit CDimensionsPP(QWidget* parent = nullptr);

    // The page's fields. Filled by the sheet before the page is shown; taken from the
    // controls (with the range checks) when the page is left.
    DimensionValues values;
    QString labelName = QStringLiteral("Label name");
    bool modified = false;

    // Where the test sheet is printed: the print dialog unless a caller says otherwise.
    CLabelPrinter::DeviceSource deviceSource;
    // The chosen printer's calibration for the test sheet; none unless the caller gives it.
    std::function<PrintOffset(const QString& printerName)> calibration;

    // true: takes the values from the controls, field by field in exchange order; the first
    // failing field is reported, gets the focus, and false is returned (the fields before it
    // are taken). false: shows the values in the controls.
    bool UpdateData(bool saveAndValidate);
    bool OnKillActive() override;

    void OnFieldChange();
    void UpdateLabelName();
    void OnLoad();
    void OnSave();
    void OnPrintTestSheet();
    // "Choose sheet...": fills the fields and the label name from a library sheet.
    void OnChooseSheet();

    CPageView* preview() const { return preview_; }

protected:
    void OnInitDialog() override;
    void OnSetActive() override;

private:
    QLineEdit* addField(int id, const QString& caption, int x, int y);

    CPageView* preview_ = nullptr;
    QLabel* nameText_ = nullptr;
    bool showing_ = false;
    bool shownOnce_ = false;
};
