#include "platform/ui/HelpWindow.h"

#include "platform/Prompt.h"
#include "platform/Shell.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), view(new QTextBrowser(this)) {
    setWindowTitle(QStringLiteral("Quillmark Help"));
    resize(760, 620);
    auto* back = new QPushButton(QStringLiteral("Back"), this);
    auto* forward = new QPushButton(QStringLiteral("Forward"), this);
    auto* contents = new QPushButton(QStringLiteral("Contents"), this);
    back->setEnabled(false);
    forward->setEnabled(false);
    auto* bar = new QHBoxLayout;
    bar->addWidget(back);
    bar->addWidget(forward);
    bar->addWidget(contents);
    bar->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(view);

    view->setAccessibleName(QStringLiteral("Help page"));
    // Links are followed here so that pages of other sites go to the web browser.
    view->setOpenLinks(false);
    connect(back, &QPushButton::clicked, view, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, view, &QTextBrowser::forward);
    connect(contents, &QPushButton::clicked, this,
            [this] { view->setSource(QUrl::fromLocalFile(contentsPage)); });
    connect(view, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(view, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(view, &QTextBrowser::sourceChanged, this, [this] {
        // The guide's pages name the help themselves ("Quillmark Help - Contents").
        const QString title = view->documentTitle();
        const QString help = QStringLiteral("Quillmark Help");
        if (title.isEmpty())
            setWindowTitle(help);
        else if (title.startsWith(help))
            setWindowTitle(title);
        else
            setWindowTitle(help + QStringLiteral(" - ") + title);
    });
    connect(view, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        const QUrl target = view->source().resolved(url);
        if (target.isLocalFile())
            view->setSource(target);
        else if (!Shell::open(target))
            showMessage(Shell::noBrowserMessage(target));
    });
}

bool HelpWindow::ShowContents(const QString& folder) {
    return ShowPage(folder, QStringLiteral("index.html"));
}

bool HelpWindow::ShowPage(const QString& folder, const QString& page) {
    const QString index = folder + QStringLiteral("/index.html");
    const qsizetype hash = page.indexOf(QLatin1Char('#'));
    const QString file = folder + QLatin1Char('/') + page.left(hash);
    if (!QFileInfo(index).isReadable() || !QFileInfo(file).isReadable())
        return false;
    contentsPage = index;
    QUrl url = QUrl::fromLocalFile(file);
    if (hash >= 0)
        url.setFragment(page.mid(hash + 1));
    view->setSource(url);
    return !view->toPlainText().isEmpty();
}
