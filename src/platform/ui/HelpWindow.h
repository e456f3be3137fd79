#pragma once

#include <QWidget>

class QTextBrowser;

// The program's help: the user guide's pages in a window of their own, with Back, Forward
// and Contents. Links to other sites open in the web browser.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the contents page of the guide in folder; false when there is no guide there.
    [[nodiscard]] bool ShowContents(const QString& folder);
    // Shows page (a file name, with an optional "#anchor") of the guide in folder, with
    // Contents leading to the guide's contents page; false when there is no such page.
    [[nodiscard]] bool ShowPage(const QString& folder, const QString& page);
    QTextBrowser* browser() const { return view; }

private:
    QTextBrowser* view;
    QString contentsPage;
};
