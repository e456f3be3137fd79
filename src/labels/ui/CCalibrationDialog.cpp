#include "labels/ui/CCalibrationDialog.h"

#include "labels/LabelPrinter.h"
#include "labels/PrinterCalibration.h"
#include "labels/ui/PrinterDevice.h"
#include "platform/Prompt.h"
#include "platform/ui/DialogUnits.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

namespace {

const QString kBeforePrinting = QStringLiteral(
    "Load a sheet of your labels, or plain paper to hold against one, and print the "
    "calibration sheet. It is printed without any offset: it outlines every label and puts "
    "a cross with a millimetre scale on two label corners, one near the top left and one "
    "near the bottom right.");
const QString kAfterPrinting = QStringLiteral(
    "Hold the printed sheet against a sheet of labels, towards the light. Where the label's "
    "edge crosses the horizontal scale, read the number for \"Move right by\"; where it "
    "crosses the vertical scale, the number for \"Move down by\". The two corners should "
    "read alike; if they differ, enter the middle.");

QString describe(PrintOffset o) {
    if (o.isZero())
        return QStringLiteral("No offset is stored for this printer.");
    auto part = [](int tenths, const char* plus, const char* minus) {
        return QStringLiteral("%1 mm %2")
            .arg(std::abs(tenths) / 10.0, 0, 'f', 1)
            .arg(QLatin1String(tenths >= 0 ? plus : minus));
    };
    return QStringLiteral("Stored for this printer: %1, %2.")
        .arg(part(o.x, "right", "left"), part(o.y, "down", "up"));
}

QDoubleSpinBox* shiftBox() {
    auto* box = new QDoubleSpinBox;
    box->setRange(-PrintOffset::kLimit / 10.0, PrintOffset::kLimit / 10.0);
    box->setDecimals(1);
    box->setSingleStep(0.1);
    box->setSuffix(QStringLiteral(" mm"));
    box->setAlignment(Qt::AlignRight);
    return box;
}

int tenths(const QDoubleSpinBox* box) {
    return static_cast<int>(std::lround(box->value() * 10.0));
}

} // namespace

CCalibrationDialog::CCalibrationDialog(PrinterCalibration& c, const SheetGeometry& g,
                                       const QStringList& printers, const QString& current,
                                       QWidget* parent)
    : QDialog(parent),
      deviceFor([g](const QString& name) { return CCalibrationDialog::printerDevice(name, g); }),
      calibration(c), geometry(g), printer_(new QComboBox), right_(shiftBox()), down_(shiftBox()),
      print_(new QPushButton(QStringLiteral("&Print calibration sheet"))),
      reset_(new QPushButton(QStringLiteral("&Reset"))), stored_(new QLabel),
      steps_(new QLabel(kBeforePrinting)) {
    setWindowTitle(kTitle);
    setFont(DialogUnits::dialogFont());
    printer_->addItems(printers);
    if (printers.contains(current))
        printer_->setCurrentText(current);
    steps_->setWordWrap(true);
    steps_->setMinimumWidth(380);
    stored_->setWordWrap(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("P&rinter:"), printer_);
    form->addRow(QString(), stored_);
    auto* rightRow = new QHBoxLayout;
    rightRow->addWidget(right_);
    rightRow->addWidget(new QLabel(QStringLiteral("(a negative figure moves left)")), 1);
    auto* rightText = new QLabel(QStringLiteral("Move right &by:"));
    rightText->setBuddy(right_);
    form->addRow(rightText, rightRow);
    auto* downRow = new QHBoxLayout;
    downRow->addWidget(down_);
    downRow->addWidget(new QLabel(QStringLiteral("(a negative figure moves up)")), 1);
    auto* downText = new QLabel(QStringLiteral("Move &down by:"));
    downText->setBuddy(down_);
    form->addRow(downText, downRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->addButton(reset_, QDialogButtonBox::ResetRole);
    auto* printRow = new QHBoxLayout;
    printRow->addWidget(print_);
    printRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(steps_);
    layout->addLayout(printRow);
    layout->addSpacing(6);
    layout->addLayout(form);
    layout->addStretch(1);
    layout->addWidget(buttons);

    if (printers.isEmpty()) {
        // Offsets belong to printers; a PDF is never moved.
        steps_->setText(QStringLiteral("No printer is set up. Offsets make up for a "
                                       "printer's paper feed; a PDF needs none."));
        for (QWidget* w : std::initializer_list<QWidget*>{printer_, right_, down_, print_, reset_})
            w->setEnabled(false);
    }

    connect(printer_, &QComboBox::currentIndexChanged, this, &CCalibrationDialog::printerChanged);
    connect(print_, &QPushButton::clicked, this, &CCalibrationDialog::OnPrint);
    connect(reset_, &QPushButton::clicked, this, &CCalibrationDialog::OnReset);
    connect(buttons, &QDialogButtonBox::accepted, this, &CCalibrationDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    printerChanged();
}

std::unique_ptr<PrintDevice> CCalibrationDialog::printerDevice(const QString& name,
                                                               const SheetGeometry& sheet) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPrinterName(name);
    // The paper and orientation the printer's label jobs get, so that the scales read true.
    PrinterDevice::useSheetPaper(*printer, sheet);
    return PrinterDevice::forPrinter(std::move(printer));
}

PrintOffset CCalibrationDialog::entered() const {
    return {tenths(right_), tenths(down_)};
}

void CCalibrationDialog::showOffset(PrintOffset o) {
    right_->setValue(o.x / 10.0);
    down_->setValue(o.y / 10.0);
}

void CCalibrationDialog::printerChanged() {
    if (!shownPrinter.isEmpty())
        pending[shownPrinter] = entered();
    shownPrinter = printer_->currentText();
    stored_->setText(describe(calibration.offsetFor(shownPrinter)));
    const auto it = pending.find(shownPrinter);
    showOffset(it != pending.end() ? it->second : calibration.offsetFor(shownPrinter));
}

void CCalibrationDialog::OnPrint() {
    const QString name = printer_->currentText();
    bool gotDevice = false;
    CLabelPrinter job(geometry, [&] {
        auto device = deviceFor(name);
        gotDevice = device != nullptr;
        return device;
    });
    job.calibrationMarks = true; // and no offset: the sheet shows the printer as it is
    job.documentName = kTitle;
    const PrintOutcome outcome = job.Print(true, 0);
    if (!gotDevice) {
        showMessage(QStringLiteral("Can't print on %1.").arg(name));
        return;
    }
    if (!outcome.printedWhole())
        return; // a failure has been reported
    steps_->setText(kAfterPrinting);
    right_->setFocus();
    right_->selectAll();
}

void CCalibrationDialog::OnReset() {
    showOffset({});
}

void CCalibrationDialog::accept() {
    if (!shownPrinter.isEmpty())
        pending[shownPrinter] = entered();
    for (const auto& [name, offset] : pending)
        calibration.setOffset(name, offset);
    QDialog::accept();
}
