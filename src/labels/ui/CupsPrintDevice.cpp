#include "labels/ui/CupsPrintDevice.h"

#include "labels/QtDrawSurface.h"
#include "platform/CupsJob.h"

#include <QDir>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrintEngine>
#include <QPrinter>
#include <QTemporaryFile>

namespace {

// The options Qt's print dialog keeps for CUPS (its property for them, as Qt's CUPS printing
// reads it): name and value pairs such as "job-sheets", "page-set" or "number-up".
const auto kDialogCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

CupsJob::Options jobOptions(QPrinter& printer) {
    CupsJob::Options options;
    options.emplace_back("media", printer.pageLayout().pageSize().key().toUtf8());
    if (printer.copyCount() > 1) {
        options.emplace_back("copies", QByteArray::number(printer.copyCount()));
        if (printer.collateCopies())
            options.emplace_back("Collate", "True");
    }
    const bool portrait = printer.pageLayout().orientation() == QPageLayout::Portrait;
    switch (printer.duplex()) {
    case QPrinter::DuplexNone:
        options.emplace_back("sides", "one-sided");
        break;
    case QPrinter::DuplexAuto:
        options.emplace_back("sides", portrait ? "two-sided-long-edge" : "two-sided-short-edge");
        break;
    case QPrinter::DuplexLongSide:
        options.emplace_back("sides", "two-sided-long-edge");
        break;
    case QPrinter::DuplexShortSide:
        options.emplace_back("sides", "two-sided-short-edge");
        break;
    }
    if (QPrintEngine* engine = printer.printEngine()) {
        const QStringList pairs = engine->property(kDialogCupsOptions).toStringList();
        for (qsizetype i = 0; i + 1 < pairs.size(); i += 2)
            options.emplace_back(pairs[i].toUtf8(), pairs[i + 1].toUtf8());
    }
    return options;
}

} // namespace

CupsPrintDevice::CupsPrintDevice(std::unique_ptr<QPrinter> p) : qprinter(std::move(p)) {
    // With no print server, or none with a queue, the dialog offers an empty printer name.
    if (qprinter->printerName().isEmpty() || !qprinter->isValid())
        failed = QStringLiteral("Nothing was printed: no printer is set up.");
}

CupsPrintDevice::~CupsPrintDevice() {
    discard();
}

void CupsPrintDevice::discard() {
    if (painter.isActive())
        painter.end();
    pageSurface.reset();
    writer.reset();
    spool.reset(); // removes the file
}

void CupsPrintDevice::fail(const QString& reason) {
    failed = QStringLiteral("Nothing was printed on %1: %2").arg(printerName(), reason);
}

int CupsPrintDevice::startDoc(const QString& documentName) {
    if (!failed.isEmpty())
        return 0;
    title = documentName;
    spool = std::make_unique<QTemporaryFile>(QDir::tempPath() +
                                             QStringLiteral("/quillmark-job-XXXXXX.pdf"));
    if (!spool->open()) {
        fail(QStringLiteral("the print file could not be made in %1 (%2).")
                 .arg(QDir::toNativeSeparators(QDir::tempPath()), spool->errorString()));
        spool.reset();
        return 0;
    }
    writer = std::make_unique<QPdfWriter>(spool.get());
    writer->setResolution(qprinter->resolution());
    writer->setPageLayout(qprinter->pageLayout());
    writer->setTitle(documentName);
    writer->setCreator(QStringLiteral("Quillmark"));
    if (!painter.begin(writer.get())) {
        fail(QStringLiteral("the print file could not be started."));
        discard();
        return 0;
    }
    pageSurface = std::make_unique<QtDrawSurface>(painter);
    return 1;
}

int CupsPrintDevice::startPage() {
    if (!painter.isActive())
        return 0;
    // The writer opens the first page itself when painting begins.
    pageFailed = pageCount > 0 && !writer->newPage();
    ++pageCount;
    if (pageFailed)
        fail(QStringLiteral("sheet %1 could not be added to the print file.").arg(pageCount));
    return pageFailed ? 0 : 1;
}

int CupsPrintDevice::endPage() {
    return painter.isActive() && !pageFailed ? 1 : 0;
}

int CupsPrintDevice::endDoc() {
    if (!painter.isActive())
        return 0;
    const bool drawn = painter.end();
    writer.reset();
    if (!drawn || !spool->flush() || spool->error() != QFileDevice::NoError) {
        fail(QStringLiteral("the print file could not be written in %1 (%2).")
                 .arg(QDir::toNativeSeparators(QDir::tempPath()), spool->errorString()));
        discard();
        return 0;
    }
    const auto refused =
        CupsJob::submit(qprinter->printerName(), title, spool->fileName(), jobOptions(*qprinter));
    discard();
    if (refused) {
        fail(*refused);
        return 0;
    }
    return 1;
}

int CupsPrintDevice::abortDoc() {
    discard();
    return 1;
}

int CupsPrintDevice::deviceCaps(DeviceCap cap) const {
    const int dpi = qprinter->resolution();
    const QRect printable = qprinter->pageLayout().paintRectPixels(dpi);
    switch (cap) {
    case DeviceCap::LogPixelsX:
    case DeviceCap::LogPixelsY:
        return dpi;
    case DeviceCap::PhysicalOffsetX:
        return printable.left();
    case DeviceCap::PhysicalOffsetY:
        return printable.top();
    case DeviceCap::PhysicalWidth:
        return qprinter->pageLayout().fullRectPixels(dpi).width();
    case DeviceCap::PhysicalHeight:
        return qprinter->pageLayout().fullRectPixels(dpi).height();
    }
    return 0;
}

std::optional<DeviceRect> CupsPrintDevice::printableArea() const {
    const QRect r = qprinter->pageLayout().paintRectPixels(qprinter->resolution());
    return DeviceRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

DrawSurface& CupsPrintDevice::surface() {
    return *pageSurface;
}

QString CupsPrintDevice::printerName() const {
    return qprinter->printerName();
}
