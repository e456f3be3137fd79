#include "labels/ui/CSettingsSheet.h"

#include "labels/DimensionValues.h"
#include "labels/ui/CDimensionsPP.h"
#include "labels/ui/CFontsPP.h"
#include "platform/ui/DialogRunner.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
constexpr int kFontsPage = 0;
constexpr int kDimensionsPage = 1;
} // namespace

CSettingsSheet::CSettingsSheet(QWidget* parent)
    : QDialog(parent), tabs_(new QTabWidget(this)), fonts_(new CFontsPP),
      dimensions_(new CDimensionsPP) {
    setWindowTitle(kTitle);
    tabs_->setAccessibleName(QStringLiteral("Settings pages"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    tabs_->addTab(fonts_, QStringLiteral("Fonts"));
    tabs_->addTab(dimensions_, QStringLiteral("Dimensions"));
    hooks_.resize(2);
    fonts_->dimensions = &dimensions_->values;

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSettingsSheet::pressOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSettingsSheet::pressCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(tabs_, &QTabWidget::currentChanged, this, &CSettingsSheet::onCurrentChanged);
}

CSettingsSheet::~CSettingsSheet() = default;

void CSettingsSheet::setFormat(const LabelPreferences& prefs, const QString& faceName,
                               const QString& labelName) {
    FontsValues& f = fonts_->values;
    f.faceName = faceName;
    f.italic = prefs.italic;
    f.bold = prefs.bold;
    f.maxFontSize = prefs.maxFontSize;
    f.alignment = prefs.alignment;
    f.textMargin = prefs.margin;
    f.colour = prefs.textColour;

    dimensions_->values = DimensionValues::fromGeometry(prefs.geometry);
    dimensions_->labelName = labelName;
}

void CSettingsSheet::setLabels(std::vector<std::string> labels, int shownLabel) {
    fonts_->labels = std::move(labels);
    fonts_->shownLabel = shownLabel;
}

void CSettingsSheet::addPage(QWidget* page, const QString& title, PageHooks hooks) {
    const QSignalBlocker block(tabs_);
    tabs_->addTab(page, title);
    hooks_.push_back(std::move(hooks));
}

void CSettingsSheet::setStartOnDimensions(bool onDimensions) {
    startPage_ = onDimensions ? kDimensionsPage : kFontsPage;
}

int CSettingsSheet::run() {
    {
        const QSignalBlocker block(tabs_);
        tabs_->setCurrentIndex(startPage_);
    }
    current_ = -1;
    return DialogRunner::exec(*this);
}

void CSettingsSheet::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The page shown first is set up once the sheet has its size: the sample is fitted to it.
    if (current_ < 0)
        activatePage(tabs_->currentIndex());
}

void CSettingsSheet::activatePage(int index) {
    current_ = index;
    if (index == kFontsPage)
        fonts_->activate();
    else if (index == kDimensionsPage)
        dimensions_->activate();
    else if (index >= 0 && static_cast<std::size_t>(index) < hooks_.size() &&
             hooks_[static_cast<std::size_t>(index)].activate)
        hooks_[static_cast<std::size_t>(index)].activate();
}

bool CSettingsSheet::leavePage(int index) {
    if (index == kFontsPage)
        return !fonts_->created() || fonts_->OnKillActive();
    if (index == kDimensionsPage)
        return !dimensions_->created() || dimensions_->OnKillActive();
    if (index >= 0 && static_cast<std::size_t>(index) < hooks_.size() &&
        hooks_[static_cast<std::size_t>(index)].leave)
        return hooks_[static_cast<std::size_t>(index)].leave();
    return true;
}

void CSettingsSheet::onCurrentChanged(int index) {
    if (current_ >= 0 && current_ != index && !leavePage(current_)) {
        // A failing check keeps the user on the page being left.
        const QSignalBlocker block(tabs_);
        tabs_->setCurrentIndex(current_);
        return;
    }
    activatePage(index);
}

void CSettingsSheet::pressOk() {
    if (current_ >= 0 && !leavePage(current_))
        return;
    for (const PageHooks& h : hooks_) {
        if (h.apply)
            h.apply();
    }
    accept();
}

void CSettingsSheet::pressCancel() {
    reject();
}

void CSettingsSheet::writeBack(LabelPreferences& prefs, QString& faceName,
                               QString& labelName) const {
    const FontsValues& f = fonts_->values;
    faceName = f.faceName;
    prefs.italic = f.italic;
    prefs.bold = f.bold;
    prefs.maxFontSize = static_cast<std::uint16_t>(f.maxFontSize);
    prefs.margin = static_cast<std::uint8_t>(f.textMargin);
    prefs.alignment = f.alignment;
    prefs.textColour = f.colour;

    prefs.geometry = dimensions_->values.toGeometry();
    labelName = dimensions_->labelName;
}
