#pragma once

#include "labels/LabelPreferences.h"

#include <QDialog>
#include <QString>
#include <functional>
#include <string>
#include <vector>

class CDimensionsPP;
class CFontsPP;
class QTabWidget;

// The modal settings sheet "Settings for Quillmark": the Fonts and Dimensions pages, then
// any pages the caller adds. It works on copies; nothing reaches the caller's settings
// unless the sheet is closed with OK and the caller writes them back.
//
// The main window's Settings command:
//     CSettingsSheet sheet(this);
//     sheet.setFormat(settings.prefs, settings.fontName, settings.labelName);
//     sheet.setLabels(labelTexts, currentLabel - 1);
//     CCategoriesPP categories(...);
//     sheet.addPage(&categories, QStringLiteral("Categories and more"),
//                   {.apply = [&] { categories.OnOK(); }});
//     sheet.setStartOnDimensions(dimensionsUndefined != 0);
//     dimensionsUndefined = 0;
//     if (sheet.run() != QDialog::Accepted)
//         return;
//     sheet.writeBack(settings.prefs, settings.fontName, settings.labelName);
class CSettingsSheet : public QDialog {
    Q_OBJECT
public:
    static inline const QString kTitle = QStringLiteral("Settings for Quillmark");

    // What the sheet asks of a page the caller adds; every hook may be left empty.
    struct PageHooks {
        std::function<void()> activate; // the page has become the one shown
        std::function<bool()> leave;    // the page is about to be left; false keeps it shown
        std::function<void()> apply;    // the sheet is being closed with OK
    };

    explicit CSettingsSheet(QWidget* parent = nullptr);
    ~CSettingsSheet() override;

    // Fills the Fonts and Dimensions pages from the settings (copies are kept).
    void setFormat(const LabelPreferences& prefs, const QString& faceName,
                   const QString& labelName);
    // The label list for the sample (UTF-8 texts) and the index of the label to show first,
    // -1 for none.
    void setLabels(std::vector<std::string> labels, int shownLabel);
    // Adds a page after the last; the sheet takes ownership of the widget.
    void addPage(QWidget* page, const QString& title, PageHooks hooks = {});
    // Opens the sheet on the Dimensions page rather than on the Fonts page.
    void setStartOnDimensions(bool onDimensions);

    // Runs the sheet modally; QDialog::Accepted when closed with OK.
    int run();

    // The edited format: face name, style, maximum size, margin, alignment, colour, the
    // geometry and the label name. Other fields of prefs are left as they are.
    void writeBack(LabelPreferences& prefs, QString& faceName, QString& labelName) const;

    CFontsPP& fontsPage() const { return *fonts_; }
    CDimensionsPP& dimensionsPage() const { return *dimensions_; }
    QTabWidget& tabs() const { return *tabs_; }
    // Presses OK or Cancel as the user would.
    void pressOk();
    void pressCancel();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void onCurrentChanged(int index);
    void activatePage(int index);
    bool leavePage(int index);

    QTabWidget* tabs_;
    CFontsPP* fonts_;
    CDimensionsPP* dimensions_;
    std::vector<PageHooks> hooks_; // one per page, in tab order
    int current_ = -1;             // the page last activated
    int startPage_ = 0;
};
