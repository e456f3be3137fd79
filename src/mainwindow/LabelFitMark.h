#pragma once

#include <QObject>

class CQuillmarkDlg;
class QLabel;
class QPlainTextEdit;

// Under the label editor: says, as the user types, when the current label's text will not
// print as typed (split, cut, lines dropped, or too long for the label), fitted as the
// printer the print dialog starts with would fit it.
class LabelFitMark : public QObject {
    Q_OBJECT
public:
    explicit LabelFitMark(CQuillmarkDlg& dlg);

    // Fits the editor's text again, e.g. after the sheet or the font changed.
    void refresh();
    QString text() const;
    QLabel* label() const { return mark; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();

    CQuillmarkDlg& dlg;
    QPlainTextEdit* editor;
    QLabel* mark; // a child of the client area
    int dpiX = 0; // the printer's resolution, asked once
    int dpiY = 0;
};
