// quillmark-print: prints label texts onto label sheets in a PDF file, with the same layout
// and fitting as the program's Print command.
#include "app/LabelInput.h"
#include "labels/DimFile.h"
#include "labels/FitReport.h"
#include "labels/LabelFormat.h"
#include "labels/LabelPreferences.h"
#include "labels/LabelPrinter.h"
#include "labels/PdfPrintDevice.h"
#include "labels/SheetCatalogue.h"
#include "labels/SheetLibrary.h"
#include "platform/Allocator.h"
#include "platform/FileError.h"
#include "platform/SaveFile.h"
#include "platform/Text.h"

#include <QColor>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>
#include <cmath>
#include <cstdio>
#include <limits>
#include <unistd.h>

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kExitMisfit = 3;                     // --strict and a label that does not fit
constexpr int kMinFontSize = 8, kMaxFontSize = 50; // the Fonts page's limits
constexpr int kMaxMargin = 50;
constexpr int kMinResolution = 10, kMaxResolution = 4800;
constexpr std::size_t kMaxLabels = std::numeric_limits<std::uint16_t>::max();
constexpr int kProgressFromPages = 10; // shorter jobs print no progress
constexpr std::int64_t kMaxPositions = std::numeric_limits<int>::max();

void say(const QString& text) {
    std::fprintf(stderr, "quillmark-print: %s\n", text.toLocal8Bit().constData());
}

std::optional<int> intOption(const QCommandLineParser& parser, const QString& name, int min,
                             int max) {
    bool ok = false;
    const int v = parser.value(name).toInt(&ok);
    if (!ok || v < min || v > max) {
        say(QStringLiteral("--%1 must be a whole number from %2 to %3, not \"%4\".")
                .arg(name)
                .arg(min)
                .arg(max)
                .arg(parser.value(name)));
        return std::nullopt;
    }
    return v;
}

std::optional<int> alignmentOption(const QString& text) {
    static const char* const names[Alignment::kCount] = {"left",      "stagger 1", "stagger 2",
                                                         "stagger 3", "centre",    "left centre"};
    bool isNumber = false;
    const int n = text.toInt(&isNumber);
    if (isNumber)
        return n >= 0 && n < Alignment::kCount ? std::optional<int>(n) : std::nullopt;
    QString key = text.trimmed().toLower();
    key.replace(QLatin1Char('-'), QLatin1Char(' ')).replace(QLatin1Char('_'), QLatin1Char(' '));
    key.replace(QStringLiteral("center"), QStringLiteral("centre"));
    for (int i = 0; i < Alignment::kCount; ++i) {
        const QString name = QLatin1String(names[i]);
        if (key == name || key == QString(name).remove(QLatin1Char(' ')))
            return i;
    }
    return std::nullopt;
}

// #RRGGBB to the record's 0x00BBGGRR.
std::optional<std::uint32_t> colourOption(const QString& text) {
    if (!QColor::isValidColorName(text))
        return std::nullopt;
    const QColor c = QColor::fromString(text);
    return static_cast<std::uint32_t>(c.red()) | static_cast<std::uint32_t>(c.green()) << 8 |
           static_cast<std::uint32_t>(c.blue()) << 16;
}

std::optional<QPageSize> paperOption(const QString& text) {
    const QString key = text.trimmed().toLower();
    if (key == QLatin1String("a4"))
        return QPageSize(QPageSize::A4);
    if (key == QLatin1String("letter"))
        return QPageSize(QPageSize::Letter);
    if (key == QLatin1String("legal"))
        return QPageSize(QPageSize::Legal);
    if (key == QLatin1String("a5"))
        return QPageSize(QPageSize::A5);
    return std::nullopt;
}

// Tells which labels do not fit, with what happened to each; true when there are any.
bool reportMisfits(const FitReport& report) {
    const std::vector<int> labels = report.misfits();
    if (labels.empty())
        return false;
    say(FitReport::summary(labels));
    for (int k : labels)
        std::fprintf(stderr, "  label %d: %s (%d pt)\n", k,
                     report.find(k)->description().toLocal8Bit().constData(),
                     report.find(k)->finalSize);
    return true;
}

// "1.5,-0.7" (millimetres, right and down) to tenths.
std::optional<PrintOffset> offsetOption(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 2)
        return std::nullopt;
    PrintOffset offset;
    int* fields[] = {&offset.x, &offset.y};
    for (int i = 0; i < 2; ++i) {
        bool ok = false;
        const double mm = parts[i].trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(mm) || std::abs(mm) > PrintOffset::kLimit / 10.0)
            return std::nullopt;
        *fields[i] = static_cast<int>(std::lround(mm * 10.0));
    }
    return offset;
}

int listSheets(const QString& text) {
    const SheetLibrary::LoadResult& library = SheetLibrary::builtIn();
    if (!library.ok()) {
        say(library.error);
        return kExitFailure;
    }
    // A template file that could not be read is named; the sheets of the rest are listed.
    for (const QString& problem : SheetCatalogue::standard().problems())
        say(problem);
    const auto found = SheetLibrary::find(SheetCatalogue::standard().sheets(), text);
    if (found.empty()) {
        say(QStringLiteral("no sheet matches \"%1\".").arg(text));
        return kExitFailure;
    }
    for (const LabelSheet* sheet : found) {
        const QString line =
            QStringLiteral("%1\t%2\t%3\t%4 per sheet\t%5\t%6\t%7\n")
                .arg(sheet->codes.join(QStringLiteral(" / ")), sheet->maker, sheet->family)
                .arg(sheet->perSheet())
                .arg(LabelSheet::paperName(sheet->paper), sheet->description,
                     LabelSheet::originName(sheet->origin) +
                         (sheet->disputed ? QStringLiteral(", figures disputed") : QString()));
        std::fputs(line.toLocal8Bit().constData(), stdout);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    Allocator::keepFreedMemory();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("quillmark-print"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Prints address labels onto label sheets in a PDF file.\n"
                       "Input: a label list (.lbl, printed with its own sheet and font "
                       "settings unless options say otherwise), a Quillmark contact list "
                       "(.csv/.tsv, one label per contact in file order), any other "
                       "delimited .csv/.tsv file (one label per row), a vCard file (.vcf, one "
                       "label per card), or a text file with one label per paragraph (labels "
                       "separated by blank lines)."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("input"),
                                 QStringLiteral("The labels to print (not with --test-sheet)."));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("The PDF file to write."),
                                    QStringLiteral("FILE.pdf"));
    const QCommandLineOption dim(QStringLiteral("dim"),
                                 QStringLiteral("Sheet geometry from a .dim file (default: "
                                                "2 x 8 labels of 99 x 34 mm)."),
                                 QStringLiteral("FILE"));
    const QCommandLineOption first(QStringLiteral("first"),
                                   QStringLiteral("Position on the first sheet of the first "
                                                  "label (default 1)."),
                                   QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption resolution(
        QStringLiteral("resolution"), QStringLiteral("Device units per inch (default 600)."),
        QStringLiteral("DPI"), QString::number(PdfPrintDevice::kDefaultResolution));
    const QCommandLineOption testSheet(QStringLiteral("test-sheet"),
                                       QStringLiteral("Print the outline of every label "
                                                      "position instead of labels."));
    const QCommandLineOption font(QStringLiteral("font"),
                                  QStringLiteral("Typeface (default Times New Roman)."),
                                  QStringLiteral("FACE"), QStringLiteral("Times New Roman"));
    const QCommandLineOption bold(QStringLiteral("bold"), QStringLiteral("Bold text."));
    const QCommandLineOption italic(QStringLiteral("italic"), QStringLiteral("Italic text."));
    const QCommandLineOption maxSize(QStringLiteral("max-size"),
                                     QStringLiteral("Largest font size in points, 8 to 50 "
                                                    "(default 30)."),
                                     QStringLiteral("PT"), QStringLiteral("30"));
    const QCommandLineOption alignment(
        QStringLiteral("alignment"),
        QStringLiteral("0 Left, 1 Stagger 1, 2 Stagger 2, 3 Stagger 3, 4 Centre, 5 Left "
                       "centre; a number or a name (default 2)."),
        QStringLiteral("MODE"), QStringLiteral("2"));
    const QCommandLineOption margin(QStringLiteral("margin"),
                                    QStringLiteral("Text margin in 1/96 inch, 0 to 50 "
                                                   "(default 8)."),
                                    QStringLiteral("N"), QStringLiteral("8"));
    const QCommandLineOption colour(QStringLiteral("colour"),
                                    QStringLiteral("Text colour (default #000000)."),
                                    QStringLiteral("#RRGGBB"), QStringLiteral("#000000"));
    const QCommandLineOption paper(QStringLiteral("paper"),
                                   QStringLiteral("Paper size: A4, Letter, Legal or A5 "
                                                  "(default A4)."),
                                   QStringLiteral("SIZE"), QStringLiteral("A4"));
    const QCommandLineOption sheet(QStringLiteral("sheet"),
                                   QStringLiteral("Sheet geometry (and paper) of a commercial "
                                                  "sheet, by code, such as L7160 or 5160: from "
                                                  "the built-in library or the label databases "
                                                  "installed (gLabels, LibreOffice)."),
                                   QStringLiteral("CODE"));
    const QCommandLineOption listSheetsOption(
        QStringLiteral("list-sheets"),
        QStringLiteral("List the sheets that match the words given instead of an "
                       "input file (\"L716\", \"3 x 7\", \"30 per sheet\"), or all of them."));
    const QCommandLineOption offset(QStringLiteral("offset"),
                                    QStringLiteral("Move everything printed by X mm right and Y "
                                                   "mm down (negative: left, up), each at most "
                                                   "10 mm, to make up for a printer's feed."),
                                    QStringLiteral("X,Y"));
    // A delimited file that is not a contact list is imported as the import dialog would,
    // with these in place of the user's choices in it.
    const QCommandLineOption columns(
        QStringLiteral("columns"),
        QStringLiteral("Delimited files: the fields that make each label's lines, in order, "
                       "1-based, at most 8 (default: fields 1 to 8)."),
        QStringLiteral("N,N,..."));
    const QCommandLineOption skipRows(
        QStringLiteral("skip-rows"),
        QStringLiteral("Delimited files: rows to drop from the top, such as a heading row "
                       "(default 0)."),
        QStringLiteral("N"));
    const QCommandLineOption delimiter(
        QStringLiteral("delimiter"),
        QStringLiteral("Delimited files: tab, comma, pipe, colon or semicolon (default: the "
                       "one found in the file)."),
        QStringLiteral("NAME"));
    const QCommandLineOption strict(
        QStringLiteral("strict"),
        QStringLiteral("Write no PDF, and exit with status 3, when a label's text does not "
                       "fit its label (split, cut, lines dropped, or overflowing)."));
    parser.addOptions({output,           dim,     first,     resolution, testSheet, font,  bold,
                       italic,           maxSize, alignment, margin,     colour,    paper, sheet,
                       listSheetsOption, offset,  columns,   skipRows,   delimiter, strict});
    parser.process(app);

    if (parser.isSet(listSheetsOption))
        return listSheets(parser.positionalArguments().join(QLatin1Char(' ')));

    const bool printTestSheet = parser.isSet(testSheet);
    const QStringList inputs = parser.positionalArguments();
    if (!parser.isSet(output)) {
        say(QStringLiteral("no output file given (-o FILE.pdf)."));
        return kExitUsage;
    }
    if (printTestSheet ? !inputs.isEmpty() : inputs.size() != 1) {
        say(printTestSheet ? QStringLiteral("a test sheet takes no input file.")
                           : QStringLiteral("give exactly one input file."));
        return kExitUsage;
    }

    const LabelInput::ParsedChoices choices = LabelInput::parseImportChoices(
        parser.value(columns), parser.value(skipRows), parser.value(delimiter));
    if (!choices.choices) {
        say(choices.error);
        return kExitUsage;
    }

    if (printTestSheet && choices.choices->given) {
        say(QStringLiteral("--columns, --skip-rows and --delimiter apply to delimited files "
                           "only, and a test sheet has no input file."));
        return kExitUsage;
    }

    LabelInput::Result input;
    if (!printTestSheet) {
        input = LabelInput::readFile(inputs.first(), *choices.choices);
        if (!input.ok()) {
            say(input.error);
            return input.badOptions ? kExitUsage : kExitFailure;
        }
        if (input.labels.empty()) {
            say(QStringLiteral("%1 holds no labels.").arg(inputs.first()));
            return kExitFailure;
        }
        if (input.labels.size() > kMaxLabels) {
            say(QStringLiteral("%1 holds %2 labels; one job prints at most %3.")
                    .arg(inputs.first())
                    .arg(input.labels.size())
                    .arg(kMaxLabels));
            return kExitFailure;
        }
    }

    LabelPreferences format = input.format.value_or(LabelPreferences{});
    std::string faceName = input.faceName.value_or(std::string("Times New Roman"));
    if (parser.isSet(dim) && parser.isSet(sheet)) {
        say(QStringLiteral("give either --dim or --sheet, not both."));
        return kExitUsage;
    }
    std::optional<QPageSize> sheetPaper;
    if (parser.isSet(sheet)) {
        const SheetLibrary::LoadResult& library = SheetLibrary::builtIn();
        if (!library.ok()) {
            say(library.error);
            return kExitFailure;
        }
        const LabelSheet* chosen =
            SheetLibrary::byCode(SheetCatalogue::standard().sheets(), parser.value(sheet));
        if (chosen == nullptr) {
            say(QStringLiteral("no sheet in the library has the code \"%1\"; "
                               "--list-sheets shows them.")
                    .arg(parser.value(sheet)));
            return kExitUsage;
        }
        format.geometry = chosen->toGeometry();
        sheetPaper =
            QPageSize(chosen->paper == LabelSheet::Paper::A4 ? QPageSize::A4 : QPageSize::Letter);
    }
    if (parser.isSet(dim)) {
        const DimFile::LoadResult loaded = DimFile::load(parser.value(dim));
        if (!loaded.ok()) {
            say(loaded.message);
            return kExitFailure;
        }
        format.geometry = *loaded.geometry;
    }
    const SheetGeometry& g = format.geometry;
    if (g.labelsAcross == 0 || g.labelsDown == 0) {
        say(QStringLiteral("the sheet has no label positions (%1 across, %2 down).")
                .arg(g.labelsAcross)
                .arg(g.labelsDown));
        return kExitFailure;
    }
    if (!input.faceName || parser.isSet(font))
        faceName = Text::fromQString(parser.value(font));
    if (parser.isSet(bold))
        format.bold = 1;
    if (parser.isSet(italic))
        format.italic = 1;

    // 65,535 x 65,535 positions do not fit an int; a job numbers its positions in one.
    const std::int64_t positions =
        static_cast<std::int64_t>(g.labelsAcross) * static_cast<std::int64_t>(g.labelsDown);
    if (positions > kMaxPositions) {
        say(QStringLiteral("the sheet has %1 label positions (%2 across, %3 down); a sheet "
                           "can hold at most %4.")
                .arg(positions)
                .arg(g.labelsAcross)
                .arg(g.labelsDown)
                .arg(kMaxPositions));
        return kExitFailure;
    }
    const auto firstPosition =
        intOption(parser, QStringLiteral("first"), 1, static_cast<int>(positions));
    const auto dpi =
        intOption(parser, QStringLiteral("resolution"), kMinResolution, kMaxResolution);
    const auto size = intOption(parser, QStringLiteral("max-size"), kMinFontSize, kMaxFontSize);
    const auto textMargin = intOption(parser, QStringLiteral("margin"), 0, kMaxMargin);
    const auto align = alignmentOption(parser.value(alignment));
    const auto textColour = colourOption(parser.value(colour));
    // A library sheet brings its own paper unless the user names one.
    const auto pageSize =
        sheetPaper && !parser.isSet(paper) ? sheetPaper : paperOption(parser.value(paper));
    const auto printOffset =
        parser.isSet(offset) ? offsetOption(parser.value(offset)) : std::optional<PrintOffset>{};
    if (parser.isSet(offset) && !printOffset)
        say(QStringLiteral("--offset must be two millimetre figures from -10 to 10, such as "
                           "1.5,-0.7, not \"%1\".")
                .arg(parser.value(offset)));
    if (!align)
        say(QStringLiteral("--alignment must be 0 to 5 or one of Left, \"Stagger 1\", "
                           "\"Stagger 2\", \"Stagger 3\", Centre, \"Left centre\"."));
    if (!textColour)
        say(QStringLiteral("--colour must be a colour such as #1F3A93, not \"%1\".")
                .arg(parser.value(colour)));
    if (!pageSize)
        say(QStringLiteral("--paper must be A4, Letter, Legal or A5."));
    if (!firstPosition || !dpi || !size || !textMargin || !align || !textColour || !pageSize ||
        (parser.isSet(offset) && !printOffset))
        return kExitUsage;
    if (!input.format || parser.isSet(maxSize))
        format.maxFontSize = static_cast<std::uint16_t>(*size);
    if (!input.format || parser.isSet(margin))
        format.margin = static_cast<std::uint8_t>(*textMargin);
    if (!input.format || parser.isSet(alignment))
        format.alignment = static_cast<std::uint8_t>(*align);
    if (!input.format || parser.isSet(colour))
        format.textColour = *textColour;

    // Strict: the labels are fitted first, and a job with a misfit is refused before anything
    // is written.
    if (parser.isSet(strict) && !printTestSheet) {
        CLabelPrinter survey(format, faceName, input.labels);
        if (reportMisfits(survey.Survey(*dpi, *dpi))) {
            say(QStringLiteral("--strict: no PDF written."));
            return kExitMisfit;
        }
    }

    // The PDF goes to a temporary file that replaces the output only once it is complete.
    const QString outputPath = parser.value(output);
    QSaveFile file(outputPath);
    if (!file.open(QIODevice::WriteOnly)) {
        auto cause = FileError::probeOpen(outputPath, true);
        say(FileError::cantOpenMessage(outputPath,
                                       cause == FileError::None ? FileError::AccessDenied : cause));
        return kExitFailure;
    }
    int next = 0;
    int sheets = 0;
    FitReport misfits;
    bool completed = false;
    {
        PdfPrintDevice device(file, *dpi, *pageSize);
        CLabelPrinter job = printTestSheet ? CLabelPrinter(format.geometry)
                                           : CLabelPrinter(format, faceName, input.labels);
        if (printOffset)
            job.offset = *printOffset;
        // One line that updates in place, and only for a person watching: a log or a pipe
        // would get thousands of lines.
        const bool terminal = isatty(fileno(stderr)) != 0;
        bool progressShown = false;
        job.onPage = [terminal, &progressShown](int page, int pages) {
            if (!terminal || pages < kProgressFromPages)
                return;
            std::fprintf(stderr, "\rPage %d of %d", page, pages);
            std::fflush(stderr);
            progressShown = true;
        };
        const PrintOutcome outcome = job.Print(device, printTestSheet, *firstPosition);
        if (outcome.failed())
            say(outcome.message());
        next = outcome.nextPosition();
        if (progressShown)
            std::fputs("\r\033[K", stderr); // the summary takes the progress line's place
        completed = device.completed();
        sheets = device.pages();
        misfits = job.Fits();
    }
    if (!completed) {
        file.cancelWriting();
        file.commit();
        say(QStringLiteral("the PDF could not be made; %1 is unchanged.").arg(outputPath));
        return kExitFailure;
    }
    if (!SaveFile::commit(file)) {
        say(FileError::standardMessage(FileError::fromErrno(errno) == FileError::None
                                           ? FileError::Generic
                                           : FileError::fromErrno(errno),
                                       outputPath));
        return kExitFailure;
    }
    if (printTestSheet) {
        say(QStringLiteral("printed the test sheet to %1.").arg(outputPath));
    } else {
        say(QStringLiteral("printed %1 %2 on %3 %4 to %5.")
                .arg(input.labels.size())
                .arg(input.labels.size() == 1 ? QStringLiteral("label") : QStringLiteral("labels"))
                .arg(sheets)
                .arg(sheets == 1 ? QStringLiteral("sheet") : QStringLiteral("sheets"))
                .arg(outputPath));
        // After the summary, which takes the progress line's place on a terminal.
        (void)reportMisfits(misfits);
        std::printf("%d\n", next);
    }
    return 0;
}
