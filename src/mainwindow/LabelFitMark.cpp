#include "mainwindow/LabelFitMark.h"

#include "labels/LabelPrinter.h"
#include "mainwindow/CQuillmarkDlg.h"
#include "mainwindow/ControlIds.h"
#include "platform/Text.h"

#include <QEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QScrollBar>
#include <QTextDocument>
#include <string>

LabelFitMark::LabelFitMark(CQuillmarkDlg& owner)
    : QObject(&owner), dlg(owner), editor(owner.control<QPlainTextEdit>(Id::LabelEditor)) {
    mark = new QLabel(dlg.clientArea());
    mark->setObjectName(QStringLiteral("labelFitMark"));
    mark->setStyleSheet(QStringLiteral("color: #c00000;"));
    mark->setFont(dlg.control(Id::LabelCounter)->font());
    mark->show();
    connect(editor, &QPlainTextEdit::textChanged, this, &LabelFitMark::refresh);
    // It sits under the scroll bar and follows it as the window is resized.
    dlg.control(Id::LabelScrollBar)->installEventFilter(this);
    place();
    refresh();
}

QString LabelFitMark::text() const {
    return mark->text();
}

bool LabelFitMark::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
        place();
    return QObject::eventFilter(watched, event);
}

void LabelFitMark::place() {
    const QRect bar = dlg.control(Id::LabelScrollBar)->geometry();
    const int height = mark->fontMetrics().height();
    const int right = dlg.clientArea()->width() - bar.left();
    mark->setGeometry(bar.left(), bar.bottom() + 3, std::max(0, right - bar.left()), height);
}

void LabelFitMark::refresh() {
    const QString typed = editor->document()->toRawText();
    if (typed.trimmed().isEmpty()) {
        mark->clear();
        return;
    }
    if (dpiX == 0) {
        const QPrinter printer(QPrinter::HighResolution);
        dpiX = printer.logicalDpiX();
        dpiY = printer.logicalDpiY();
    }
    QString text = typed;
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    const std::string label = Text::fromQString(text);
    CLabelPrinter job(dlg.settings.prefs, Text::fromQString(dlg.settings.fontName),
                      std::span<const std::string>(&label, 1));
    const FitReport report = job.Survey(dpiX, dpiY);
    const LabelFit* fit = report.find(1);
    mark->setText(fit != nullptr && fit->misfit() ? fit->description() : QString());
}
