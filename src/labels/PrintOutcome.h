#pragma once

#include <QString>
#include <utility>

// How a print job ended. Only a job printed whole moves the position on the sheet: a cancelled
// or failed one sent nothing to the printer.
class [[nodiscard]] PrintOutcome {
public:
    static PrintOutcome printed(int nextPosition) { return {Kind::Printed, nextPosition, {}}; }
    static PrintOutcome cancelled() { return {Kind::Cancelled, 0, {}}; }
    // message: what the user is told, naming the printer and the reason.
    static PrintOutcome failed(QString message) { return {Kind::Failed, 0, std::move(message)}; }

    bool printedWhole() const { return kind == Kind::Printed; }
    bool wasCancelled() const { return kind == Kind::Cancelled; }
    bool failed() const { return kind == Kind::Failed; }
    // The position at which the next job starts; only for a job printed whole.
    int nextPosition() const { return next; }
    const QString& message() const { return text; }

private:
    enum class Kind { Printed, Cancelled, Failed };
    PrintOutcome(Kind k, int n, QString t) : kind(k), next(n), text(std::move(t)) {}

    Kind kind;
    int next;
    QString text;
};
