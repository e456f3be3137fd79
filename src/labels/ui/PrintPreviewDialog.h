#pragma once

#include <QDialog>
#include <QHash>
#include <QImage>

class JobPreview;
class QLabel;
class QScrollArea;
class QSpinBox;
class QToolButton;
class PreviewPageView;

// "Print Preview": the sheets of a job as they will print, one page at a time, with page
// navigation and zoom. Pages are drawn as they are shown and a few are kept. Print closes the
// window and asks the caller to run its print command.
//
//     JobPreview job(prefs, face, labels, first, dpiX, dpiY, paper);
//     PrintPreviewDialog preview(job, this);
//     if (DialogRunner::exec(preview) == QDialog::Accepted && preview.printRequested())
//         OnPrintLabels();
class PrintPreviewDialog : public QDialog {
    Q_OBJECT
public:
    static inline const QString kTitle = QStringLiteral("Print Preview");
    enum class Zoom { FitPage, FitWidth, Actual };

    explicit PrintPreviewDialog(JobPreview& job, QWidget* parent = nullptr);
    ~PrintPreviewDialog() override;

    int currentPage() const { return page; }
    void showPage(int page);
    Zoom zoom() const { return zoomMode; }
    void setZoom(Zoom zoom);
    // Pixels per inch the page is shown at.
    double shownDpi() const { return dpi; }
    // The page image as shown; drawn now if it was not yet.
    QImage pageImage(int page);

    bool printRequested() const { return printAsked; }
    // A line above the page saying that the labels leave the paper the printer will print
    // on; empty for none.
    void setPaperWarning(const QString& text);
    // Pages drawn since the window opened.
    int pagesDrawn() const { return drawn; }

    QToolButton* button(const QString& name) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    double dpiFor(Zoom zoom) const;
    void refresh();
    void updateStatus();

    JobPreview& job;
    int page = 1;
    Zoom zoomMode = Zoom::FitPage;
    double dpi = 0;
    int drawn = 0;
    bool printAsked = false;
    QHash<int, QImage> pages; // drawn at dpi
    QList<int> recent;        // most recently shown last

    QScrollArea* scroll;
    PreviewPageView* view;
    QSpinBox* pageBox;
    QLabel* pageCount;
    QLabel* paperWarning = nullptr;
    QLabel* status;
    QHash<QString, QToolButton*> buttons;
};
