#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>

// Drives the real Qt dialogs (file, print, message and progress dialogs) that a test opens:
// each step waits until a modal window of its type is up, then acts on it. The steps run
// from a timer, so they act inside the dialogs' own event loops, as a user would.
class DialogDriver : public QObject {
public:
    DialogDriver();
    ~DialogDriver() override;

    // Adds a step: when the modal window is a T, act on it (once).
    template <typename T> DialogDriver& then(std::function<void(T*)> act) {
        steps.push_back(
            {T::staticMetaObject.className(), [act](QWidget* w) { act(qobject_cast<T*>(w)); }});
        return *this;
    }

    // True when every step ran; otherwise failure() names the step that never found its
    // window (its dialogs were then closed so that the test could go on).
    bool finished() const { return steps.empty(); }
    QString failure() const { return failed; }

private:
    struct Step {
        const char* type;
        std::function<void(QWidget*)> act;
    };
    void poll();

    std::deque<Step> steps;
    QTimer timer;
    QElapsedTimer waiting;
    QString failed;
    bool acting = false;
    static constexpr int kTimeoutMs = 10000;
};
