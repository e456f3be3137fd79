#include "labels/ui/CDimensionsPP.h"

#include "controls/UpDownControl.h"
#include "labels/DimFile.h"
#include "labels/FieldCheck.h"
#include "labels/SheetCatalogue.h"
#include "labels/SheetLibrary.h"
#include "labels/ui/CPageView.h"
#include "labels/ui/CSheetPickerDialog.h"
#include "labels/ui/PrinterDevice.h"
#include "labels/ui/SettingsPageIds.h"
#include "labels/ui/SheetCornerPicture.h"
#include "platform/AppPaths.h"
#include "platform/FileError.h"
#include "platform/Prompt.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace {

using namespace DimensionsId;

struct LengthField {
    int id;
    float DimensionValues::*field;
    float high;
};
struct CountField {
    int id;
    std::uint32_t DimensionValues::*field;
    std::uint32_t high;
};

// The exchange order of the page's fields; a length or a count in each slot.
struct Exchange {
    const LengthField* length;
    const CountField* count;
};

constexpr LengthField kHorizontalGutterField{kHorizontalGutter, &DimensionValues::horizontalGutter,
                                             DimensionLimits::kMaxLength};
constexpr LengthField kLabelHeightField{kLabelHeight, &DimensionValues::labelHeight,
                                        DimensionLimits::kMaxLabelSize};
constexpr CountField kAcrossField{kNumberAcross, &DimensionValues::numberAcross,
                                  DimensionLimits::kMaxAcross};
constexpr CountField kDownField{kNumberDown, &DimensionValues::numberDown,
                                DimensionLimits::kMaxDown};
constexpr LengthField kSideMarginField{kSideMargin, &DimensionValues::sideMargin,
                                       DimensionLimits::kMaxLength};
constexpr LengthField kTopMarginField{kTopMargin, &DimensionValues::topMargin,
                                      DimensionLimits::kMaxLength};
constexpr LengthField kVerticalGutterField{kVerticalGutter, &DimensionValues::verticalGutter,
                                           DimensionLimits::kMaxLength};
constexpr LengthField kLabelWidthField{kLabelWidth, &DimensionValues::labelWidth,
                                       DimensionLimits::kMaxLabelSize};

constexpr Exchange kExchange[] = {
    {&kHorizontalGutterField, nullptr}, {&kLabelHeightField, nullptr},
    {nullptr, &kAcrossField},           {nullptr, &kDownField},
    {&kSideMarginField, nullptr},       {&kTopMarginField, nullptr},
    {&kVerticalGutterField, nullptr},   {&kLabelWidthField, nullptr},
};

constexpr int kMinCount = 1;
constexpr int kRowTop = 100;
constexpr int kRowStep = 16;

Prompt::FileRequest dimRequest(const QString& defaultExtension) {
    Prompt::FileRequest r;
    r.filter = DimFile::kFilter;
    r.defaultExtension = defaultExtension;
    r.initialName = QStringLiteral("*.dim");
    r.directory = AppPaths::programFolder();
    return r;
}

} // namespace

CDimensionsPP::CDimensionsPP(QWidget* parent)
    : SheetPage(PageTemplate::kWidth, PageTemplate::kHeight, parent) {
    auto* picture = place(new SheetCornerPicture, kPicture, 7, 6, 0, 0);
    picture->setFixedSize(SheetCornerPicture::kWidth, SheetCornerPicture::kHeight);

    nameText_ = place(new QLabel(labelName), kLabelName, 183, 6, 100, 10);
    nameText_->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    preview_ = place(new CPageView(values), kPreview, 200, 19, 68, 76);

    addField(kTopMargin, QStringLiteral("Top margin (mm)"), 7, kRowTop);
    addField(kSideMargin, QStringLiteral("Side margins (mm)"), 7, kRowTop + kRowStep);
    addField(kLabelWidth, QStringLiteral("Label width (mm)"), 7, kRowTop + 2 * kRowStep);
    addField(kLabelHeight, QStringLiteral("Label height (mm)"), 7, kRowTop + 3 * kRowStep);
    addField(kVerticalGutter, QStringLiteral("Vertical gutter (mm)"), 148, kRowTop);
    addField(kHorizontalGutter, QStringLiteral("Horiz. gutter (mm)"), 148, kRowTop + kRowStep);
    QLineEdit* across =
        addField(kNumberAcross, QStringLiteral("Number across"), 148, kRowTop + 2 * kRowStep);
    QLineEdit* down =
        addField(kNumberDown, QStringLiteral("Number down"), 148, kRowTop + 3 * kRowStep);
    for (QLineEdit* count : {across, down}) {
        count->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), count));
        count->resize(units().toPixelsX(30), count->height());
    }
    auto* acrossSpin = place(new UpDownControl, kAcrossSpin, 255, kRowTop + 2 * kRowStep, 10, 12);
    acrossSpin->setBuddy(across);
    auto* downSpin = place(new UpDownControl, kDownSpin, 255, kRowTop + 3 * kRowStep, 10, 12);
    downSpin->setBuddy(down);

    auto* load = place(new QPushButton(QStringLiteral("Load")), kLoad, 7, 170, 50, 14);
    auto* save = place(new QPushButton(QStringLiteral("Save")), kSave, 62, 170, 50, 14);
    auto* test = place(new QPushButton(QStringLiteral("Print test sheet")), kPrintTestSheet, 195,
                       170, 80, 14);
    connect(load, &QPushButton::clicked, this, &CDimensionsPP::OnLoad);
    connect(save, &QPushButton::clicked, this, &CDimensionsPP::OnSave);
    connect(test, &QPushButton::clicked, this, &CDimensionsPP::OnPrintTestSheet);
    auto* choose =
        place(new QPushButton(QStringLiteral("Choose sheet...")), kChooseSheet, 117, 170, 70, 14);
    connect(choose, &QPushButton::clicked, this, &CDimensionsPP::OnChooseSheet);
}

QLineEdit* CDimensionsPP::addField(int id, const QString& caption, int x, int y) {
    auto* edit = place(new QLineEdit, id, x + 77, y, 40, 12);
    placeText(caption, x, y, 76, 12, Qt::AlignLeft | Qt::AlignVCenter, edit);
    connect(edit, &QLineEdit::textChanged, this, [this] {
        if (!showing_)
            OnFieldChange();
    });
    return edit;
}

void CDimensionsPP::OnInitDialog() {
    UpdateData(false);
    control<UpDownControl>(kAcrossSpin)->setRange(kMinCount, DimensionLimits::kMaxAcross);
    control<UpDownControl>(kDownSpin)->setRange(kMinCount, DimensionLimits::kMaxDown);
}

void CDimensionsPP::OnSetActive() {
    // The first time, OnInitDialog has just shown the values.
    if (shownOnce_)
        UpdateData(false);
    shownOnce_ = true;
}

bool CDimensionsPP::OnKillActive() {
    return UpdateData(true);
}

bool CDimensionsPP::UpdateData(bool saveAndValidate) {
    if (!saveAndValidate) {
        showing_ = true;
        for (const Exchange& e : kExchange) {
            if (e.length != nullptr)
                control<QLineEdit>(e.length->id)
                    ->setText(FieldCheck::formatFloat(values.*(e.length->field)));
            else
                control<QLineEdit>(e.count->id)->setText(QString::number(values.*(e.count->field)));
        }
        nameText_->setText(labelName);
        showing_ = false;
        return true;
    }
    for (const Exchange& e : kExchange) {
        if (e.length != nullptr) {
            auto* edit = control<QLineEdit>(e.length->id);
            const auto v = FieldCheck::readFloat(edit->text());
            if (!v) {
                failField(edit, FieldCheck::notANumber());
                return false;
            }
            values.*(e.length->field) = *v;
            if (*v < 0.0f || *v > e.length->high) {
                failField(edit, FieldCheck::numberRange(0.0f, e.length->high));
                return false;
            }
        } else {
            auto* edit = control<QLineEdit>(e.count->id);
            const auto v = FieldCheck::readUnsigned(edit->text());
            if (!v) {
                failField(edit, FieldCheck::notAPositiveInteger());
                return false;
            }
            values.*(e.count->field) = *v;
            if (*v < kMinCount || *v > e.count->high) {
                failField(edit, FieldCheck::integerRange(kMinCount, e.count->high));
                return false;
            }
        }
    }
    return true;
}

void CDimensionsPP::OnFieldChange() {
    modified = true;
    UpdateLabelName();
    if (preview_ != nullptr) {
        // Reported while it is being typed: the preview follows the fields.
        UpdateData(true);
        preview_->update();
    }
}

void CDimensionsPP::UpdateLabelName() {
    if (modified && !labelName.isEmpty() && !labelName.endsWith(QLatin1Char('*')))
        labelName += QLatin1Char('*');
    nameText_->setText(labelName);
}

void CDimensionsPP::OnLoad() {
    const auto path = prompt().openFile(dimRequest(QStringLiteral("*.dim")));
    if (!path)
        return;
    const DimFile::LoadResult result = DimFile::load(*path);
    if (!result.ok()) {
        showMessage(result.message);
        return;
    }
    values = DimensionValues::fromGeometry(*result.geometry);
    UpdateData(false);
    labelName = DimFile::labelNameFromFile(*path);
    modified = false;
    UpdateLabelName();
    preview_->update();
}

void CDimensionsPP::OnSave() {
    const auto path = prompt().saveFile(dimRequest(DimFile::kExtension));
    if (!path)
        return;
    // A file that cannot be opened is reported before anything else, and nothing is written.
    const FileError::Cause cause = FileError::probeOpen(*path, true);
    if (cause != FileError::None) {
        showMessage(FileError::cantOpenMessage(*path, cause));
        return;
    }
    // A failing check is reported; the file gets the values as they then stand.
    UpdateData(true);
    const DimFile::SaveResult result = DimFile::save(*path, values.toGeometry());
    if (!result.ok()) {
        showMessage(result.message);
        return;
    }
    labelName = DimFile::labelNameFromFile(*path);
    modified = false;
    UpdateLabelName();
}

void CDimensionsPP::OnPrintTestSheet() {
    // A sheet is only worth paper once every field holds a value the page accepts; the
    // failing field is reported and keeps the focus.
    if (!UpdateData(true))
        return;
    const SheetGeometry sheet = values.toGeometry();
    CLabelPrinter printer(sheet, deviceSource ? deviceSource : askForPrinter(sheet));
    printer.calibration = calibration;
    // A failure is reported by the job; a test sheet moves no position.
    (void)printer.Print(true, 0);
}

void CDimensionsPP::OnChooseSheet() {
    const SheetLibrary::LoadResult& library = SheetLibrary::builtIn();
    if (!library.ok()) {
        showMessage(library.error);
        return;
    }
    // A label database or template file that could not be read is named once a session;
    // the sheets of the rest are offered.
    static bool problemsShown = false;
    const SheetCatalogue& catalogue = SheetCatalogue::standard();
    if (!problemsShown && !catalogue.problems().isEmpty()) {
        problemsShown = true;
        showMessage(QStringLiteral("Some label sheets could not be read and are not listed:\n") +
                    catalogue.problems().join(QLatin1Char('\n')));
    }
    const LabelSheet* sheet = CSheetPickerDialog::Choose(catalogue.sheets(), this);
    if (sheet == nullptr)
        return;
    // As after loading a .dim file: the fields, a fresh name without "*", the preview.
    values = DimensionValues::fromGeometry(sheet->toGeometry());
    UpdateData(false);
    labelName = sheet->labelName();
    modified = false;
    UpdateLabelName();
    preview_->update();
}
