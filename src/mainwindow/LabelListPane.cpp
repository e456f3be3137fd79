#include "mainwindow/LabelListPane.h"

#include "app/LabelListFile.h"
#include "contacts/CCSVFile.h"
#include "controls/UpDownControl.h"
#include "mainwindow/CQuillmarkDlg.h"
#include "mainwindow/CRepeatDialog.h"
#include "mainwindow/ContactsPane.h"
#include "mainwindow/ControlIds.h"
#include "platform/AppPaths.h"
#include "platform/FileError.h"
#include "platform/Prompt.h"
#include "platform/RegularFile.h"
#include "platform/SaveFile.h"
#include "platform/Text.h"
#include "platform/ui/DialogRunner.h"

#include <QAbstractButton>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QScrollBar>
#include <QTextDocument>
#include <cerrno>

namespace {

constexpr int kPageStep = 10;

// Labels keep CR LF line breaks; the editor works with paragraphs.
QString toEditorText(const std::string& label) {
    QString text = Text::toQString(label);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::string fromEditorText(const QPlainTextEdit& editor) {
    // The raw text keeps characters such as no-break spaces that the plain text would change.
    QString text = editor.document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    return Text::fromQString(text);
}

} // namespace

LabelListPane::LabelListPane(CQuillmarkDlg& owner)
    : dlg(owner), editor(owner.control<QPlainTextEdit>(Id::LabelEditor)),
      counter(owner.control<QLabel>(Id::LabelCounter)),
      caption(owner.control<QLabel>(Id::LabelListCaption)),
      scrollBar(owner.control<QScrollBar>(Id::LabelScrollBar)),
      contactsList(owner.control<QListWidget>(Id::ContactsList)),
      firstLabelSpin(owner.control<UpDownControl>(Id::FirstLabelSpin)) {
    connect(editor, &QPlainTextEdit::textChanged, this, &LabelListPane::onEditorChanged);

    // No page size: the thumb keeps its smallest size and marks one label, whatever the count.
    scrollBar->setSingleStep(1);
    scrollBar->setPageStep(0);
    connect(scrollBar, &QAbstractSlider::actionTriggered, this, &LabelListPane::onScrollAction);
    connect(scrollBar, &QAbstractSlider::sliderMoved, this,
            [this](int position) { ShowLabelCounter(position); });
    connect(scrollBar, &QAbstractSlider::sliderReleased, this, &LabelListPane::onThumbReleased);

    const std::pair<int, void (LabelListPane::*)()> buttons[] = {
        {Id::AddToLabelList, &LabelListPane::AddToLabelList},
        {Id::AddButton, &LabelListPane::AddNewLabel},
        {Id::RepeatButton, &LabelListPane::RepeatLabel},
        {Id::DeleteButton, &LabelListPane::DeleteLabel},
        {Id::DeleteAllButton, &LabelListPane::DeleteAllLabels},
    };
    for (const auto& [id, handler] : buttons)
        connect(button(id), &QAbstractButton::clicked, this, handler);

    const auto atLeast = [this](int n) { return [this, n] { return labels.GetSize() >= n; }; };
    dlg.setCommand(Id::AddNewLabel, [this] { AddNewLabel(); });
    dlg.setCommand(
        Id::RepeatLabel, [this] { RepeatLabel(); }, atLeast(1));
    dlg.setCommand(
        Id::SortLabels, [this] { SortLabels(); }, atLeast(2));
    dlg.setCommand(
        Id::DeleteLabel, [this] { DeleteLabel(); }, atLeast(1));
    dlg.setCommand(
        Id::DeleteAllLabels, [this] { DeleteAllLabels(); }, atLeast(1));
    dlg.setCommand(Id::OpenLabels, [this] { OpenLabels(); });
    dlg.setCommand(
        Id::SaveLabels, [this] { (void)SaveLabelFile(); },
        [this] { return labelsModified && !dlg.labelFileName.isEmpty(); });
    dlg.setCommand(
        Id::SaveLabelsAs, [this] { (void)SaveLabelsAs(); }, atLeast(1));

    if (dlg.contactsPane) {
        dlg.contactsPane->updateControls = [this] { UpdateControls(); };
        dlg.contactsPane->addToLabelList = [this] { AddToLabelList(); };
    }
}

LabelListPane::~LabelListPane() {
    if (dlg.contactsPane) {
        dlg.contactsPane->updateControls = nullptr;
        dlg.contactsPane->addToLabelList = nullptr;
    }
}

QAbstractButton* LabelListPane::button(int id) const {
    return dlg.control<QAbstractButton>(id);
}

void LabelListPane::ResetAtOpening() {
    currentLabel = 0;
    labelsModified = 0;
    editor->setReadOnly(true);
}

void LabelListPane::LoadAtOpening() {
    if (!dlg.labelFileName.isEmpty())
        (void)LoadLabelFile();
    else
        UpdateLabelListTitle();
}

void LabelListPane::StoreEditedLabel() {
    if (labelsModified && currentLabel != 0)
        labels.SetAt(currentLabel - 1, fromEditorText(*editor));
}

void LabelListPane::ShowCurrentLabel() {
    showing = true;
    editor->setPlainText(currentLabel == 0 ? QString()
                                           : toEditorText(labels.GetAt(currentLabel - 1)));
    showing = false;
}

void LabelListPane::ShowLabelCounter(int n) {
    counter->setText(QStringLiteral("Label %1/%2").arg(n).arg(labels.GetSize()));
}

void LabelListPane::UpdateLabelListTitle() {
    if (!dlg.labelFileName.isEmpty())
        caption->setText(QStringLiteral("Label List: ") +
                         AppPaths::lastComponent(dlg.labelFileName));
    else if (!labels.IsEmpty())
        caption->setText(QStringLiteral("Unsaved label list"));
    else
        caption->clear();
}

void LabelListPane::UpdateControls() {
    const int n = labels.GetSize();
    for (int id : {Id::DeleteButton, Id::DeleteAllButton, Id::PrintLabels, Id::RepeatButton})
        button(id)->setEnabled(n != 0);

    button(Id::AddToLabelList)->setEnabled(!contactsList->selectedItems().isEmpty());
    button(Id::SelectAll)->setEnabled(contactsList->count() > 0);
    dlg.control(Id::ShowCategory)->setEnabled(!dlg.categories.categoryNames.empty());

    ShowLabelCounter(currentLabel);
    editor->setReadOnly(n == 0);

    const SheetGeometry& g = dlg.settings.prefs.geometry;
    const auto positions = static_cast<std::uint16_t>(g.labelsAcross * g.labelsDown);
    bool readable = false;
    const int first = dlg.control<QLineEdit>(Id::FirstLabelBox)->text().trimmed().toInt(&readable);
    if (!readable || first < 1 || first > positions)
        firstLabelSpin->setPosition(1);
    firstLabelSpin->setRange(1, positions);

    scrollBar->setRange(1, n);
    scrollBar->setValue(currentLabel);
    scrollBar->setEnabled(n > 1);
}

void LabelListPane::AddToLabelList() {
    StoreEditedLabel();
    const CSortStrArray& contacts = dlg.contactList.contacts;
    for (int index : dlg.contactsPane->SelectedContacts()) {
        if (index >= 0 && index < contacts.GetSize())
            labels.Add(contacts.GetAt(index));
    }
    currentLabel = labels.GetSize();
    ShowCurrentLabel();
    labelsModified = 1;
    UpdateControls();
    UpdateLabelListTitle();
}

void LabelListPane::AddNewLabel() {
    StoreEditedLabel();
    labels.InsertAt(currentLabel, std::string());
    ++currentLabel;
    ShowCurrentLabel();
    UpdateControls();
    UpdateLabelListTitle();
}

void LabelListPane::RepeatLabel() {
    if (currentLabel == 0)
        return;
    CRepeatDialog dialog(1, &dlg);
    if (DialogRunner::exec(dialog) != QDialog::Accepted)
        return;
    StoreEditedLabel();
    labels.InsertAt(currentLabel, labels.GetAt(currentLabel - 1), dialog.count);
    currentLabel += dialog.count;
    ShowCurrentLabel();
    UpdateControls();
    labelsModified = 1;
}

void LabelListPane::DeleteLabel() {
    if (currentLabel == 0)
        return;
    const int deleted = currentLabel;
    labels.RemoveAt(deleted - 1);
    currentLabel = deleted - 1;
    labelsModified = 1;
    if (labels.IsEmpty()) {
        labelsModified = 0;
        currentLabel = 0;
    } else if (deleted == 1) {
        currentLabel = 1;
    }
    UpdateControls();
    ShowCurrentLabel();
    UpdateLabelListTitle();
}

void LabelListPane::DeleteAllLabels() {
    const auto answer = showMessage(QStringLiteral("Delete all the labels from the list?"),
                                    QStringLiteral("Delete labels"), Prompt::Buttons::OkCancel,
                                    Prompt::Icon::Warning);
    if (answer == Prompt::Answer::Ok) {
        labels.RemoveAll();
        currentLabel = 0;
        UpdateControls();
        ShowCurrentLabel();
        labelsModified = 0;
    }
    UpdateLabelListTitle();
}

void LabelListPane::SortLabels() {
    labels.SetTrackedPosition(currentLabel);
    labels.SetLastNameFlag(1);
    labels.Sort();
    currentLabel = labels.GetTrackedPosition();
    scrollBar->setValue(currentLabel);
    ShowLabelCounter(currentLabel);
}

void LabelListPane::moveTo(int label) {
    StoreEditedLabel();
    currentLabel = label;
    UpdateControls();
    ShowCurrentLabel();
}

void LabelListPane::onScrollAction(int action) {
    const int n = labels.GetSize();
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        if (currentLabel >= 2)
            moveTo(currentLabel - 1);
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        if (currentLabel < n)
            moveTo(currentLabel + 1);
        break;
    case QAbstractSlider::SliderPageStepSub:
        if (n > 0)
            moveTo(std::max(currentLabel - kPageStep, 1));
        break;
    case QAbstractSlider::SliderPageStepAdd:
        if (n > 0)
            moveTo(std::min(currentLabel + kPageStep, n));
        break;
    case QAbstractSlider::SliderMove:
        // The thumb being dragged only shows where it would go; see onThumbReleased.
        if (scrollBar->isSliderDown())
            return;
        break;
    default:
        break;
    }
    // Whatever the request, the bar shows the current label (a wheel or a jump to an end
    // would otherwise leave it elsewhere).
    scrollBar->setSliderPosition(std::max(currentLabel, 1));
}

void LabelListPane::onThumbReleased() {
    const int position = scrollBar->sliderPosition();
    if (position < 1 || position > labels.GetSize())
        return;
    StoreEditedLabel();
    currentLabel = position;
    scrollBar->setValue(position);
    ShowCurrentLabel();
    UpdateControls();
}

void LabelListPane::onEditorChanged() {
    if (!showing)
        labelsModified = 1;
}

bool LabelListPane::SaveLabelFile() {
    StoreEditedLabel();
    return writeLabelFile();
}

bool LabelListPane::SaveLabelsAs() {
    StoreEditedLabel();
    if (refuseUnstorableLabel())
        return false;
    Prompt::FileRequest request;
    request.filter = LabelListFile::kFilter;
    request.defaultExtension = LabelListFile::kExtension;
    const auto path = prompt().saveFile(request);
    if (!path)
        return false;
    dlg.labelFileName = *path;
    const bool saved = writeLabelFile();
    UpdateLabelListTitle();
    return saved;
}

bool LabelListPane::refuseUnstorableLabel() const {
    // The end line inside a label would cut the list short and misplace the trailer on
    // reading, so such a list is not written at all.
    const int bad = LabelListFile::unstorableLabel(labels);
    if (bad == 0)
        return false;
    showMessage(QStringLiteral("Label %1 contains the text |end|, which marks the end of the "
                               "labels in a label file. Change that label, then save again.")
                    .arg(bad));
    return true;
}

bool LabelListPane::writeLabelFile() {
    if (refuseUnstorableLabel())
        return false;
    QString& name = dlg.labelFileName;
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly)) {
        showMessage(QStringLiteral("Can't open file: ") + name);
        name.clear();
        return false;
    }
    const QByteArray bytes =
        LabelListFile::write(labels, dlg.settings.prefs, Text::fromQString(dlg.settings.fontName));
    errno = 0;
    if (file.write(bytes) != bytes.size() || !SaveFile::commit(file)) {
        FileError::Cause cause = FileError::fromErrno(errno);
        if (cause == FileError::None)
            cause = FileError::Generic;
        file.cancelWriting();
        showMessage(FileError::standardMessage(cause, name));
        return false;
    }
    labelsModified = 0;
    return true;
}

bool LabelListPane::QuerySaveLabels(bool mustSave) {
    if (!labelsModified)
        return true;
    const QString name = dlg.labelFileName.isEmpty() ? QStringLiteral("unsaved labels")
                                                     : AppPaths::lastComponent(dlg.labelFileName);
    const auto answer = showMessage(QStringLiteral("Save changes to ") + name + QStringLiteral("?"),
                                    QStringLiteral("Save Labels"), Prompt::Buttons::YesNoCancel,
                                    Prompt::Icon::Warning);
    if (answer == Prompt::Answer::Cancel)
        return false;
    if (answer == Prompt::Answer::Yes) {
        const bool saved = SaveLabelsAs();
        // Open Labels goes on whether or not the list was saved; closing does not.
        return saved || !mustSave;
    }
    return true;
}

void LabelListPane::OpenLabels() {
    if (!QuerySaveLabels())
        return;
    Prompt::FileRequest request;
    request.filter = LabelListFile::kFilter;
    request.defaultExtension = LabelListFile::kExtension;
    const auto path = prompt().openFile(request);
    if (!path)
        return;
    dlg.labelFileName = *path;
    (void)LoadLabelFile();
    UpdateControls();
}

bool LabelListPane::LoadLabelFile() {
    QString& name = dlg.labelFileName;
    QFile file;
    QByteArray data;
    if (RegularFile::open(file, name) == FileError::None)
        data = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        showMessage(QStringLiteral("Can't open file: ") + name);
        name.clear();
        return false;
    }
    std::string face = Text::fromQString(dlg.settings.fontName);
    CSortStrArray loaded;
    const LabelListFile::ReadResult result =
        LabelListFile::read(data, loaded, dlg.settings.prefs, face);
    if (result.tooManyLabels) {
        // Refused whole: the list shown stays, and no longer names the file.
        showMessage(QStringLiteral("The file ") + AppPaths::lastComponent(name) +
                    QStringLiteral(" holds more than 1,000,000 labels: too many to open."));
        name.clear();
        UpdateLabelListTitle();
        return false;
    }
    static_assert(CCSVFile::kMaxLabels == 1000000, "the message names the limit");
    labels.Take(loaded);
    dlg.settings.fontName = Text::toQString(face);
    currentLabel = labels.GetSize();
    ShowCurrentLabel();
    UpdateLabelListTitle();
    if (!result.ok()) {
        showMessage(FileError::standardMessage(FileError::EndOfFile, name));
        return false;
    }
    return true;
}
