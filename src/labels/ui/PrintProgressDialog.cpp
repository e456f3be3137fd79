#include "labels/ui/PrintProgressDialog.h"

#include "labels/LabelPrinter.h"
#include "platform/Prompt.h"

namespace {
int showAfterMs = PrintProgressDialog::kShowAfterMs;
} // namespace

void PrintProgressDialog::setShowAfterMs(int ms) {
    showAfterMs = ms;
}

PrintProgressDialog::PrintProgressDialog(CLabelPrinter& job, QWidget* owner) : parent(owner) {
    job.onPage = [this](int sheet, int sheets) { onSheet(sheet, sheets); };
    job.cancelRequested = [this] { return dialog && dialog->wasCanceled(); };
}

PrintProgressDialog::~PrintProgressDialog() = default;

void PrintProgressDialog::onSheet(int sheet, int sheets) {
    if (!dialog) {
        dialog = std::make_unique<QProgressDialog>(sheetText(sheet, sheets),
                                                   QStringLiteral("Cancel"), 0, sheets, parent);
        dialog->setWindowTitle(kAppCaption);
        dialog->setWindowModality(Qt::WindowModal);
        dialog->setMinimumDuration(showAfterMs);
        dialog->setAutoClose(false);
        dialog->setAutoReset(false);
        dialog->setValue(0); // starts the clock
    }
    dialog->setMaximum(sheets);
    dialog->setLabelText(sheetText(sheet, sheets));
    // Showing the dialog once the job is slow, and noticing a click on Cancel, both happen
    // here.
    dialog->setValue(sheet - 1);
}

QString PrintProgressDialog::sheetText(int sheet, int sheets) {
    return QStringLiteral("Printing sheet %1 of %2").arg(sheet).arg(sheets);
}
