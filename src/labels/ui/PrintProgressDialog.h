#pragma once

#include <QPointer>
#include <QProgressDialog>
#include <memory>

class CLabelPrinter;

// Shows "Printing sheet N of M" with a Cancel button while a print job runs for more than a
// moment; Cancel stops the job before its next sheet and aborts it. Attach it to a job
// before the job's Print; the dialog is made when the first sheet starts, after the print
// dialog has closed.
class PrintProgressDialog {
public:
    // The dialog shows once a job has run this long.
    static constexpr int kShowAfterMs = 500;
    // Tests show it at once, whatever the speed of the machine.
    static void setShowAfterMs(int ms);

    PrintProgressDialog(CLabelPrinter& job, QWidget* parent);
    ~PrintProgressDialog();

    static QString sheetText(int sheet, int sheets);

private:
    void onSheet(int sheet, int sheets);

    QPointer<QWidget> parent;
    std::unique_ptr<QProgressDialog> dialog;
};
