#include "labels/ui/CFontsPP.h"

#include "controls/UpDownControl.h"
#include "labels/FieldCheck.h"
#include "labels/LabelFormat.h"
#include "labels/SampleFit.h"
#include "labels/ui/CFontSample.h"
#include "labels/ui/SettingsPageIds.h"
#include "platform/Prompt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <algorithm>

namespace {

using namespace FontsId;

QRgb toQRgb(std::uint32_t c) {
    return qRgb(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                static_cast<int>((c >> 16) & 0xFF));
}

std::uint32_t fromQRgb(QRgb c) {
    return static_cast<std::uint32_t>(qRed(c)) | static_cast<std::uint32_t>(qGreen(c)) << 8 |
           static_cast<std::uint32_t>(qBlue(c)) << 16;
}

QLineEdit* digitsField() {
    auto* edit = new QLineEdit;
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    return edit;
}

} // namespace

const char* const CFontsPP::kSampleAddress =
    "Ms Harriet Lowe\rFlat 4, Kestrel Court\rSouthville\rBristol\rBS3 1QE";

CFontsPP::CFontsPP(QWidget* parent)
    : SheetPage(PageTemplate::kWidth, PageTemplate::kHeight, parent) {
    face_ = place(new QComboBox, kFace, 7, 6, 120, 13);
    face_->setEditable(false);
    face_->setMaxVisibleItems(20);
    bold_ = place(new QCheckBox(QStringLiteral("Bold")), kBold, 137, 8, 36, 10);
    italic_ = place(new QCheckBox(QStringLiteral("Italic")), kItalic, 177, 8, 38, 10);
    auto* colour = place(new QPushButton(QStringLiteral("Colour...")), kColour, 225, 6, 55, 14);

    maxFontSize_ = place(digitsField(), kMaxFontSize, 58, 26, 24, 12);
    placeText(QStringLiteral("Max font size:"), 7, 26, 50, 12, Qt::AlignLeft | Qt::AlignVCenter,
              maxFontSize_);
    place(new UpDownControl, kMaxFontSpin, 82, 26, 9, 12)->setBuddy(maxFontSize_);
    margin_ = place(digitsField(), kMargin, 128, 26, 24, 12);
    placeText(QStringLiteral("Margin:"), 99, 26, 28, 12, Qt::AlignLeft | Qt::AlignVCenter, margin_);
    place(new UpDownControl, kMarginSpin, 152, 26, 9, 12)->setBuddy(margin_);
    alignment_ = place(new QComboBox, kAlignment, 210, 25, 70, 13);
    placeText(QStringLiteral("Alignment:"), 170, 26, 39, 12, Qt::AlignLeft | Qt::AlignVCenter,
              alignment_);
    for (const char* name :
         {"Left", "Stagger 1", "Stagger 2", "Stagger 3", "Centre", "Left centre"})
        alignment_->addItem(QString::fromLatin1(name));

    sample_ = place(new CFontSample(values), kSample, 7, 44, 200, 70);
    scaleText_ =
        place(new QLabel(QStringLiteral("Showing at actual size")), kScaleText, 60, 176, 167, 10);
    scaleText_->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    left_ = place(new QToolButton, kBrowserLeft, 243, 176, 14, 10);
    right_ = place(new QToolButton, kBrowserRight, 257, 176, 14, 10);
    left_->setArrowType(Qt::LeftArrow);
    right_->setArrowType(Qt::RightArrow);
    left_->setAccessibleName(QStringLiteral("Previous label"));
    right_->setAccessibleName(QStringLiteral("Next label"));
    for (QToolButton* b : {left_, right_}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRepeat(true);
    }

    connect(face_, &QComboBox::activated, this, &CFontsPP::OnFaceChosen);
    connect(bold_, &QCheckBox::clicked, this, &CFontsPP::OnStyleClicked);
    connect(italic_, &QCheckBox::clicked, this, &CFontsPP::OnStyleClicked);
    connect(maxFontSize_, &QLineEdit::textChanged, this, [this] {
        if (!showing_)
            OnMaxFontSizeChange();
    });
    connect(margin_, &QLineEdit::textChanged, this, [this] {
        if (!showing_)
            OnMarginChange();
    });
    maxFontSize_->installEventFilter(this);
    margin_->installEventFilter(this);
    connect(alignment_, &QComboBox::activated, this, &CFontsPP::OnAlignmentChosen);
    connect(colour, &QPushButton::clicked, this, &CFontsPP::OnColour);
    connect(left_, &QToolButton::clicked, this, [this] { OnBrowse(-1); });
    connect(right_, &QToolButton::clicked, this, [this] { OnBrowse(1); });
}

bool CFontsPP::UpdateData(bool saveAndValidate) {
    if (!saveAndValidate) {
        showing_ = true;
        bold_->setChecked(values.bold != 0);
        italic_->setChecked(values.italic != 0);
        face_->setCurrentIndex(face_->findText(values.faceName, Qt::MatchFixedString));
        maxFontSize_->setText(QString::number(values.maxFontSize));
        margin_->setText(QString::number(values.textMargin));
        showing_ = false;
        return true;
    }
    values.bold = bold_->isChecked() ? 1 : 0;
    values.italic = italic_->isChecked() ? 1 : 0;
    values.faceName = face_->currentIndex() >= 0 ? face_->currentText() : QString();
    struct Count {
        QLineEdit* edit;
        std::uint32_t FontsValues::*field;
        std::uint32_t low;
        std::uint32_t high;
    };
    const Count counts[] = {
        {maxFontSize_, &FontsValues::maxFontSize, FontsLimits::kMinFontSize,
         FontsLimits::kMaxFontSize},
        {margin_, &FontsValues::textMargin, 0, FontsLimits::kMaxMargin},
    };
    for (const Count& c : counts) {
        const auto v = FieldCheck::readUnsigned(c.edit->text());
        if (!v) {
            failField(c.edit, FieldCheck::notAPositiveInteger());
            return false;
        }
        values.*(c.field) = *v;
        if (*v < c.low || *v > c.high) {
            failField(c.edit, FieldCheck::integerRange(c.low, c.high));
            return false;
        }
    }
    return true;
}

bool CFontsPP::OnKillActive() {
    return UpdateData(true);
}

void CFontsPP::OnInitDialog() {
    UpdateData(false);

    const bool haveLabel = !labels.empty() && shownLabel >= 0 &&
                           shownLabel < static_cast<int>(labels.size()) &&
                           !labels[static_cast<std::size_t>(shownLabel)].empty();
    if (haveLabel) {
        // As if stepping onto it from the label before.
        --shownLabel;
        ShowLabel(1);
    } else {
        sample_->SetLines(SplitLabelText(kSampleAddress, sampleLines_) ? &sampleLines_ : nullptr);
    }

    FillFaceList();
    sample_->textMargin = static_cast<std::uint8_t>(values.textMargin & 0xFF);
    sample_->alignment = values.alignment;
    alignment_->setCurrentIndex(values.alignment < Alignment::kCount ? values.alignment : -1);
    sample_->update();
    control<UpDownControl>(kMaxFontSpin)
        ->setRange(static_cast<int>(FontsLimits::kMinFontSize),
                   static_cast<int>(FontsLimits::kMaxFontSize));
    control<UpDownControl>(kMarginSpin)->setRange(0, static_cast<int>(FontsLimits::kMaxMargin));
    UpdateArrows();
}

void CFontsPP::OnSetActive() {
    FitSample();
}

void CFontsPP::FillFaceList() {
    face_->clear();
    QStringList families;
    for (const QString& family : QFontDatabase::families()) {
        if (!QFontDatabase::isPrivateFamily(family))
            families.append(family);
    }
    // A sorted list, in the order a sorted combo box keeps: case ignored.
    std::sort(families.begin(), families.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    families.erase(std::unique(families.begin(), families.end()), families.end());
    // A face that is not installed here (such as the default "Times New Roman" on a system
    // without it) is drawn with the system's closest face; it stays in the list so that
    // leaving the page does not lose the user's choice.
    const bool known = std::any_of(families.begin(), families.end(), [this](const QString& f) {
        return QString::compare(f, values.faceName, Qt::CaseInsensitive) == 0;
    });
    if (!values.faceName.isEmpty() && !known) {
        const auto at = std::lower_bound(families.begin(), families.end(), values.faceName,
                                         [](const QString& a, const QString& b) {
                                             return QString::compare(a, b, Qt::CaseInsensitive) < 0;
                                         });
        families.insert(at, values.faceName);
    }
    face_->addItems(families);
    // The exact-match search ignores case; no match leaves nothing selected.
    face_->setCurrentIndex(face_->findText(values.faceName, Qt::MatchFixedString));
}

void CFontsPP::OnFaceChosen(int index) {
    values.faceName = face_->itemText(index);
    sample_->update();
}

void CFontsPP::OnStyleClicked() {
    values.bold = bold_->isChecked() ? 1 : 0;
    values.italic = italic_->isChecked() ? 1 : 0;
    sample_->update();
}

void CFontsPP::OnMaxFontSizeChange() {
    // Followed at once, unchecked; the range is checked when the field is left.
    values.maxFontSize = FieldCheck::leadingNumber(maxFontSize_->text());
    sample_->update();
}

void CFontsPP::OnMarginChange() {
    sample_->textMargin =
        static_cast<std::uint8_t>(FieldCheck::leadingNumber(margin_->text()) & 0xFF);
    sample_->update();
}

bool CFontsPP::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == maxFontSize_ || watched == margin_) && event->type() == QEvent::FocusOut) {
        // Focus taken by a message box or a menu is no leaving of the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            UpdateData(true)) {
            if (watched == maxFontSize_)
                OnMaxFontSizeChange();
            else
                OnMarginChange();
        }
    }
    return SheetPage::eventFilter(watched, event);
}

void CFontsPP::OnAlignmentChosen(int index) {
    values.alignment = static_cast<std::uint8_t>(index);
    sample_->alignment = values.alignment;
    sample_->update();
}

void CFontsPP::OnColour() {
    const auto chosen = prompt().chooseColour(toQRgb(values.colour));
    if (!chosen)
        return;
    values.colour = fromQRgb(*chosen);
    sample_->update();
}

void CFontsPP::OnBrowse(int step) {
    ShowLabel(step);
    UpdateArrows();
}

void CFontsPP::ShowLabel(int step) {
    const int j = shownLabel + step;
    if (j >= static_cast<int>(labels.size()) || j < 0)
        return;
    const bool any = SplitLabelText(labels[static_cast<std::size_t>(j)], sampleLines_);
    sample_->SetLines(any ? &sampleLines_ : nullptr);
    shownLabel = j;
    sample_->update();
}

void CFontsPP::UpdateArrows() {
    left_->setEnabled(shownLabel > 0);
    right_->setEnabled(shownLabel < static_cast<int>(labels.size()) - 1);
    left_->update();
    right_->update();
}

void CFontsPP::SetScaleText(int scale) {
    scaleText_->setText(SampleScaleText(scale));
}

void CFontsPP::FitSample() {
    const DimensionValues none;
    const DimensionValues& d = dimensions != nullptr ? *dimensions : none;
    const SampleFit fit = SampleFit::Compute(d.labelWidth, d.labelHeight, width(), height());
    SetScaleText(fit.scale);
    sample_->scale = fit.scale;
    sample_->setGeometry(fit.x, fit.y, fit.width, fit.height);
    sample_->update();
}
