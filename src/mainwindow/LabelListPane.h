#pragma once

#include "contacts/CSortStrArray.h"

#include <QObject>

class CQuillmarkDlg;
class QAbstractButton;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QScrollBar;
class UpDownControl;

// The label list of the main window: the texts the next print job puts on the sheet, the
// label editor with its counter and scroll bar, the label buttons and commands, and the
// .lbl files. The main window owns it and calls its opening steps.
class LabelListPane : public QObject {
    Q_OBJECT
public:
    // Wires the label buttons (1004, 1095, 1030, 1031, and 1025 Add To Label List), the
    // Labels menu, the label-file commands of the File menu and the contacts pane's
    // selection and double-click hooks into dlg. Construct after the contacts pane.
    explicit LabelListPane(CQuillmarkDlg& dlg);
    ~LabelListPane() override;

    CSortStrArray labels;
    int currentLabel = 0; // 1-based; 0 exactly when labels is empty
    int labelsModified = 0;

    // Opening steps of the main window.
    void ResetAtOpening(); // current label 0, unmodified, editor read-only
    void LoadAtOpening();  // the command line's label file, or just the caption

    // Copies the editor's text into the current label when the list was changed. Print and
    // Settings call it before they read the labels.
    void StoreEditedLabel();
    void ShowCurrentLabel();
    void ShowLabelCounter(int n);
    void UpdateLabelListTitle();
    // Refreshes the buttons, counter, editor, first-label box and scroll bar from the state;
    // the contacts pane calls it after every refill and selection change.
    void UpdateControls();

    void AddToLabelList();
    void AddNewLabel();
    void RepeatLabel();
    void DeleteLabel();
    void DeleteAllLabels();
    void SortLabels();

    // Save, Save As and Open of the File menu; each reports its own failures.
    bool SaveLabelFile();
    bool SaveLabelsAs();
    // False when the user cancelled the question; the calling command then stops. With
    // mustSave (closing the window), Yes followed by a cancelled or failed save is false too.
    [[nodiscard]] bool QuerySaveLabels(bool mustSave = false);
    void OpenLabels();
    // Loads labelFileName of the window; false (after a message) when it could not be read
    // whole. Labels read before a fault are kept.
    bool LoadLabelFile();

private:
    void onScrollAction(int action);
    void onThumbReleased();
    void onEditorChanged();
    // Shows why the list cannot be saved when a label holds the end line; true then.
    bool refuseUnstorableLabel() const;
    // Steps 2 to 4 of saving: the file labelFileName names, written whole or not at all.
    bool writeLabelFile();
    void moveTo(int label);

    CQuillmarkDlg& dlg;
    QPlainTextEdit* editor;
    QLabel* counter;
    QLabel* caption;
    QScrollBar* scrollBar;
    QListWidget* contactsList;
    UpDownControl* firstLabelSpin;
    QAbstractButton* button(int id) const;
    bool showing = false; // the editor's text is being set, not edited
};
