#pragma once

#include <QHash>
#include <functional>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

// The main window's menu bar. Each item carries its command id; just before a menu opens,
// every item of it is enabled by the rule the window supplies for its id.
class MainMenu {
public:
    using EnableRule = std::function<bool(int id)>;

    MainMenu(QMenuBar* bar, EnableRule rule);

    QAction* action(int id) const { return actions_.value(id); }
    const QHash<int, QAction*>& actions() const { return actions_; }
    QMenu* menu(int index) const;
    // Applies the enable rule to every item of a menu, as opening it does.
    void update(QMenu* menu);

private:
    QMenuBar* bar_;
    EnableRule rule_;
    QHash<int, QAction*> actions_;
};
