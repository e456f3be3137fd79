#include "platform/ui/QtPrompt.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace {

QString startPath(const Prompt::FileRequest& r) {
    QString name = r.initialName;
    if (name.startsWith(QLatin1Char('*')))
        name.clear(); // a bare pattern is the filter's job in Qt's dialogs
    if (r.directory.isEmpty())
        return name;
    return name.isEmpty() ? r.directory : r.directory + QLatin1Char('/') + name;
}

} // namespace

QWidget* QtPrompt::owner() {
    if (beforeShowing)
        beforeShowing();
    // A window just hidden (the splash) may still count as active for a moment.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal->isVisible())
        return modal;
    QWidget* active = QApplication::activeWindow();
    if (active && active->isVisible())
        return active;
    return fallbackOwner;
}

QString QtPrompt::qtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        // The description already names its pattern in brackets, as Qt expects.
        out << parts[i];
    }
    return out.join(QStringLiteral(";;"));
}

Prompt::Answer QtPrompt::message(const QString& text, const QString& caption, Buttons buttons,
                                 Icon icon) {
    QMessageBox box(owner());
    box.setWindowTitle(caption);
    box.setText(text);
    switch (icon) {
    case Icon::None:
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Icon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Ok:
        return Answer::Ok;
    default:
        // Escape or the close box on a Yes/No question counts as No.
        return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}

std::optional<QString> QtPrompt::openFile(const FileRequest& r) {
    const QString path =
        QFileDialog::getOpenFileName(owner(), r.caption, startPath(r), qtFilter(r.filter));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> QtPrompt::saveFile(const FileRequest& r) {
    QFileDialog dialog(owner(), r.caption, startPath(r), qtFilter(r.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The dialog adds the extension itself before it checks for an existing file, so that
    // "Replace?" is asked about the file that will really be written. Native dialogs check
    // the name as typed, before the extension is added, so Qt's own dialog is used.
    QString ext = r.defaultExtension;
    if (ext.startsWith(QLatin1String("*.")))
        ext = ext.mid(2);
    dialog.setDefaultSuffix(ext);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString path = dialog.selectedFiles().constFirst();
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QRgb> QtPrompt::chooseColour(QRgb initial) {
    const QColor c = QColorDialog::getColor(QColor::fromRgb(initial), owner());
    if (!c.isValid())
        return std::nullopt;
    return c.rgb();
}

bool QtPrompt::choosePrinter(QPrinter& printer) {
    QPrintDialog dialog(&printer, owner());
    // A label job prints every sheet it makes: a page range or a selection would be offered
    // and then ignored. Printing to a PDF file is the job as it is.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    // Qt's own dialog keeps offering "Pages from ... to" whatever the options say (and shows
    // the box again if it is hidden), so the box is turned off.
    if (auto* range = dialog.findChild<QWidget*>(QStringLiteral("gbPrintRange")))
        range->setEnabled(false);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<QString> QtPrompt::chooseFolder(const QString& caption, const QString& start) {
    const QString path = QFileDialog::getExistingDirectory(owner(), caption, start);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}
