#include "labels/ui/PrintPreviewDialog.h"

#include "labels/JobPreview.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace {

constexpr int kPageMargin = 16; // pixels of desk around the page
constexpr int kShadow = 4;
constexpr int kKeptPages = 8;
const QColor kDesk(128, 128, 128);

} // namespace

// Shows one page image on a grey desk, centred, with a shadow.
class PreviewPageView : public QWidget {
public:
    explicit PreviewPageView(QWidget* parent) : QWidget(parent) {}
    void setImage(const QImage& i) {
        image = i;
        const QSize s = image.size() + QSize(2 * kPageMargin, 2 * kPageMargin);
        setMinimumSize(s);
        resize(s.expandedTo(parentWidget() ? parentWidget()->size() : s));
        update();
    }
    QSize sizeHint() const override {
        return image.size() + QSize(2 * kPageMargin, 2 * kPageMargin);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), kDesk);
        if (image.isNull())
            return;
        const QPoint at((width() - image.width()) / 2, (height() - image.height()) / 2);
        const QPoint corner(std::max(at.x(), kPageMargin), std::max(at.y(), kPageMargin));
        p.fillRect(QRect(corner + QPoint(kShadow, kShadow), image.size()), QColor(70, 70, 70));
        p.drawImage(corner, image);
    }

private:
    QImage image;
};

PrintPreviewDialog::PrintPreviewDialog(JobPreview& j, QWidget* parent) : QDialog(parent), job(j) {
    setWindowTitle(kTitle);
    setSizeGripEnabled(true);

    auto* bar = new QHBoxLayout;
    const auto addButton = [&](const QString& name, const QString& tip) {
        auto* b = new QToolButton(this);
        b->setText(name);
        b->setToolTip(tip);
        b->setAutoRaise(false);
        buttons.insert(name, b);
        bar->addWidget(b);
        return b;
    };
    QToolButton* first = addButton(QStringLiteral("|<"), QStringLiteral("First page (Ctrl+Home)"));
    QToolButton* previous =
        addButton(QStringLiteral("<"), QStringLiteral("Previous page (Page Up)"));
    bar->addWidget(new QLabel(QStringLiteral("Page"), this));
    pageBox = new QSpinBox(this);
    pageBox->setAccessibleName(QStringLiteral("Page"));
    pageBox->setRange(1, std::max(1, job.PageCount()));
    pageBox->setKeyboardTracking(false);
    bar->addWidget(pageBox);
    pageCount = new QLabel(QStringLiteral("of %1").arg(job.PageCount()), this);
    bar->addWidget(pageCount);
    QToolButton* next = addButton(QStringLiteral(">"), QStringLiteral("Next page (Page Down)"));
    QToolButton* last = addButton(QStringLiteral(">|"), QStringLiteral("Last page (Ctrl+End)"));
    bar->addSpacing(16);

    auto* zoomGroup = new QButtonGroup(this);
    const std::pair<QString, Zoom> zooms[] = {{QStringLiteral("Fit page"), Zoom::FitPage},
                                              {QStringLiteral("Fit width"), Zoom::FitWidth},
                                              {QStringLiteral("100 %"), Zoom::Actual}};
    for (const auto& [name, z] : zooms) {
        QToolButton* b = addButton(name, QStringLiteral("Zoom: ") + name);
        b->setCheckable(true);
        b->setChecked(z == zoomMode);
        zoomGroup->addButton(b);
        connect(b, &QToolButton::clicked, this, [this, z = z] { setZoom(z); });
    }
    bar->addStretch(1);
    auto* print = new QPushButton(QStringLiteral("&Print..."), this);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    print->setAutoDefault(false);
    close->setAutoDefault(false);
    bar->addWidget(print);
    bar->addWidget(close);

    paperWarning = new QLabel(this);
    paperWarning->setObjectName(QStringLiteral("paperWarning"));
    paperWarning->setStyleSheet(QStringLiteral("color: #c00000;"));
    paperWarning->setWordWrap(true);
    paperWarning->hide();

    status = new QLabel(this);
    status->setObjectName(QStringLiteral("fitStatus"));
    status->setStyleSheet(QStringLiteral("color: #c00000;"));

    scroll = new QScrollArea(this);
    scroll->setAccessibleName(QStringLiteral("Preview"));
    scroll->setAlignment(Qt::AlignCenter);
    scroll->setWidgetResizable(false);
    scroll->setBackgroundRole(QPalette::Dark);
    view = new PreviewPageView(scroll);
    scroll->setWidget(view);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(paperWarning);
    layout->addWidget(status);
    layout->addWidget(scroll, 1);

    connect(first, &QToolButton::clicked, this, [this] { showPage(1); });
    connect(previous, &QToolButton::clicked, this, [this] { showPage(page - 1); });
    connect(next, &QToolButton::clicked, this, [this] { showPage(page + 1); });
    connect(last, &QToolButton::clicked, this, [this] { showPage(job.PageCount()); });
    connect(pageBox, &QSpinBox::valueChanged, this, [this](int p) { showPage(p); });
    connect(print, &QPushButton::clicked, this, [this] {
        printAsked = true;
        accept();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    const std::pair<QKeySequence, std::function<void()>> keys[] = {
        {QKeySequence(Qt::Key_PageDown), [this] { showPage(page + 1); }},
        {QKeySequence(Qt::Key_PageUp), [this] { showPage(page - 1); }},
        {QKeySequence(Qt::CTRL | Qt::Key_Home), [this] { showPage(1); }},
        {QKeySequence(Qt::CTRL | Qt::Key_End), [this] { showPage(job.PageCount()); }},
    };
    for (const auto& [key, action] : keys) {
        auto* s = new QShortcut(key, this);
        connect(s, &QShortcut::activated, this, action);
    }

    resize(900, 760);
    layout->activate(); // the scroll area's size decides the first page's zoom
    dpi = dpiFor(zoomMode);
    refresh();
}

PrintPreviewDialog::~PrintPreviewDialog() = default;

QToolButton* PrintPreviewDialog::button(const QString& name) const {
    return buttons.value(name);
}

double PrintPreviewDialog::dpiFor(Zoom z) const {
    if (z == Zoom::Actual)
        return logicalDpiX();
    const QSizeF paper = job.PaperInches();
    if (paper.isEmpty())
        return logicalDpiX();
    // The viewport without scroll bars: a fitted page needs none.
    const QSize room = scroll->size() - QSize(2 * kPageMargin + kShadow + 2 * scroll->frameWidth(),
                                              2 * kPageMargin + kShadow + 2 * scroll->frameWidth());
    const double across = room.width() / paper.width();
    if (z == Zoom::FitWidth) {
        // Leave room for the vertical scroll bar a page taller than the window brings.
        return std::max(1.0, (room.width() - scroll->verticalScrollBar()->sizeHint().width()) /
                                 paper.width());
    }
    return std::max(1.0, std::min(across, room.height() / paper.height()));
}

void PrintPreviewDialog::setZoom(Zoom z) {
    zoomMode = z;
    for (auto* b : buttons)
        if (b->isCheckable())
            b->setChecked(b->text() == (z == Zoom::FitPage    ? QStringLiteral("Fit page")
                                        : z == Zoom::FitWidth ? QStringLiteral("Fit width")
                                                              : QStringLiteral("100 %")));
    const double wanted = dpiFor(z);
    if (std::abs(wanted - dpi) >= 0.5) {
        dpi = wanted;
        pages.clear();
        recent.clear();
    }
    refresh();
}

QImage PrintPreviewDialog::pageImage(int p) {
    auto it = pages.find(p);
    if (it == pages.end()) {
        it = pages.insert(p, job.RenderPage(p, dpi));
        ++drawn;
    }
    recent.removeAll(p);
    recent.append(p);
    while (recent.size() > kKeptPages)
        pages.remove(recent.takeFirst());
    return it.value();
}

void PrintPreviewDialog::showPage(int p) {
    if (job.PageCount() == 0)
        return;
    p = std::clamp(p, 1, job.PageCount());
    if (p == page && pages.contains(p))
        return;
    page = p;
    refresh();
}

void PrintPreviewDialog::refresh() {
    if (job.PageCount() > 0)
        view->setImage(pageImage(page));
    const QSignalBlocker block(pageBox);
    pageBox->setValue(page);
    buttons.value(QStringLiteral("|<"))->setEnabled(page > 1);
    buttons.value(QStringLiteral("<"))->setEnabled(page > 1);
    buttons.value(QStringLiteral(">"))->setEnabled(page < job.PageCount());
    buttons.value(QStringLiteral(">|"))->setEnabled(page < job.PageCount());
    updateStatus();
}

void PrintPreviewDialog::setPaperWarning(const QString& text) {
    paperWarning->setText(text);
    paperWarning->setVisible(!text.isEmpty());
}

void PrintPreviewDialog::updateStatus() {
    const std::vector<int> misfits = job.PageMisfits(page);
    if (misfits.empty()) {
        // The line keeps its place, so the page does not move as pages are turned.
        status->setText(QStringLiteral(" "));
        return;
    }
    QStringList numbers;
    for (int k : misfits)
        numbers << QString::number(k);
    status->setText(misfits.size() == 1
                        ? QStringLiteral("Label %1 on this page does not fit its label "
                                         "(outlined in red).")
                              .arg(numbers.first())
                        : QStringLiteral("Labels %1 on this page do not fit their label "
                                         "(outlined in red).")
                              .arg(numbers.join(QStringLiteral(", "))));
}

void PrintPreviewDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (zoomMode != Zoom::Actual)
        setZoom(zoomMode);
}

void PrintPreviewDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    setZoom(zoomMode);
}
