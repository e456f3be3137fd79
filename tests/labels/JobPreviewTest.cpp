// The print preview draws each page through the job's own printing code; what it shows must
// be what the PDF holds, label box by label box.
#include "TempDir.h"

#include "labels/JobPreview.h"
#include "labels/PdfPrintDevice.h"
#include "labels/ui/PrintPreviewDialog.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// A sheet of 3 × 7 labels of 70 × 42.3 mm on A4, as sold for addresses.
LabelPreferences threeBySeven() {
    LabelPreferences f;
    f.geometry = {8, 0, 700, 423, 0, 0, 3, 7};
    return f;
}

std::vector<std::string> addresses(int n) {
    static const char* const streets[] = {"High Street", "Church Lane", "Station Road",
                                          "The Old Rectory Gardens"};
    std::vector<std::string> labels;
    for (int k = 1; k <= n; ++k)
        labels.push_back("Person " + std::to_string(k) + "\r\n" + std::to_string(k * 7) + " " +
                         streets[k % 4] + "\r\nOxford OX" + std::to_string(k % 9) + " 1AA");
    return labels;
}

// Ink: clearly dark pixels. Faint outlines, greyed positions and the red mark are not ink.
bool ink(QRgb p) {
    return qRed(p) < 128 && qGreen(p) < 128 && qBlue(p) < 128;
}

// The bounding box of the ink within a box of the image; null when there is none.
QRect inkBox(const QImage& image, const QRect& box) {
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    const QRect r = box.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (ink(image.pixel(x, y))) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// The box of a position in pixels at dpi, from the geometry in tenths of a millimetre.
QRect positionBox(const SheetGeometry& g, int position, double dpi) {
    const int c = (position - 1) % g.labelsAcross;
    const int r = (position - 1) / g.labelsAcross;
    const double px = dpi / 254.0;
    return QRectF((g.sideMargin + (g.labelWidth + g.verticalGutter) * c) * px,
                  (g.topMargin + (g.labelHeight + g.horizontalGutter) * r) * px, g.labelWidth * px,
                  g.labelHeight * px)
        .toRect();
}

QImage rasterise(const QString& pdf, int page, int dpi, const TempDir& dir) {
    const QString stem = dir.path(QStringLiteral("page"));
    QProcess p;
    p.start(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
             QString::number(page), QStringLiteral("-l"), QString::number(page),
             QStringLiteral("-singlefile"), QStringLiteral("-png"), pdf, stem});
    EXPECT_TRUE(p.waitForFinished(60000));
    return QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST(JobPreview, FortyLabelsFromPositionSevenOnThreeBySeven) {
    const auto labels = addresses(40);
    JobPreview job(threeBySeven(), "Times New Roman", labels, 7, 600, 600,
                   QPageSize(QPageSize::A4));
    ASSERT_EQ(job.PageCount(), 3);
    struct Case {
        int page, firstLabel, lastLabel, firstPosition;
    };
    const Case cases[] = {{1, 1, 15, 7}, {2, 16, 36, 1}, {3, 37, 40, 1}, {4, 0, 0, 0}};
    for (const Case& c : cases) {
        const auto span = job.Span(c.page);
        EXPECT_EQ(span.firstLabel, c.firstLabel) << c.page;
        EXPECT_EQ(span.lastLabel, c.lastLabel) << c.page;
        EXPECT_EQ(span.firstPosition, c.firstPosition) << c.page;
    }

    // Positions 1 to 6 are used: greyed and without text; 7 on carry the labels.
    const QImage page = job.RenderPage(1, 96);
    EXPECT_EQ(page.size(), QSize(794, 1123));
    const SheetGeometry g = threeBySeven().geometry;
    for (int position = 1; position <= 21; ++position) {
        const QRect box = positionBox(g, position, 96);
        const QRgb middle = page.pixel(box.center() + QPoint(0, box.height() / 2 - 4));
        if (position < 7) {
            EXPECT_NE(middle, qRgb(255, 255, 255)) << position;
            EXPECT_TRUE(inkBox(page, box.adjusted(3, 3, -3, -3)).isNull()) << position;
        } else {
            EXPECT_FALSE(inkBox(page, box.adjusted(3, 3, -3, -3)).isNull()) << position;
        }
    }
    EXPECT_TRUE(job.RenderPage(4, 96).isNull());
}

TEST(JobPreview, PagesMatchThePdfLabelBoxByLabelBox) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        GTEST_SKIP() << "pdftoppm is not installed";
    TempDir dir;
    auto labels = addresses(40);
    labels[9] = "Alexandra Featherstonehaugh-Montgomery\r\nFlat 12, The Very Long Building "
                "Name House, Extremely Long Avenue\r\nLittle Snoring";
    const LabelPreferences format = threeBySeven();
    const QString pdf = dir.path(QStringLiteral("job.pdf"));
    {
        QFile file(pdf);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        PdfPrintDevice device(file, 600);
        (void)CLabelPrinter(format, "Times New Roman", labels).Print(device, false, 7);
    }
    JobPreview job(format, "Times New Roman", labels, 7, 600, 600, QPageSize(QPageSize::A4));
    JobPreview::Marks none;
    none.outlines = none.used = none.misfits = false;

    for (int dpi : {96, 150}) {
        for (int pageNumber : {1, 2}) {
            SCOPED_TRACE("page " + std::to_string(pageNumber) + " at " + std::to_string(dpi));
            const QImage printed = rasterise(pdf, pageNumber, dpi, dir);
            const QImage shown = job.RenderPage(pageNumber, dpi, none);
            ASSERT_FALSE(printed.isNull());
            EXPECT_LE(std::abs(printed.width() - shown.width()), 1);
            EXPECT_LE(std::abs(printed.height() - shown.height()), 1);
            int compared = 0;
            for (int position = 1; position <= 21; ++position) {
                const QRect box = positionBox(format.geometry, position, dpi);
                const QRect a = inkBox(printed, box);
                const QRect b = inkBox(shown, box);
                EXPECT_EQ(a.isNull(), b.isNull()) << "position " << position;
                if (a.isNull() || b.isNull())
                    continue;
                ++compared;
                // Within anti-aliasing: a pixel either way on each edge.
                EXPECT_LE(std::abs(a.left() - b.left()), 1) << "position " << position;
                EXPECT_LE(std::abs(a.top() - b.top()), 1) << "position " << position;
                EXPECT_LE(std::abs(a.right() - b.right()), 1) << "position " << position;
                EXPECT_LE(std::abs(a.bottom() - b.bottom()), 1) << "position " << position;
            }
            EXPECT_EQ(compared, pageNumber == 1 ? 15 : 21);
        }
    }
}

TEST(JobPreview, MisfitLabelsAreOutlinedInRedOnTheirPage) {
    auto labels = addresses(30);
    labels[17] = std::string(60, 'W'); // label 18: one word too wide for any size
    JobPreview job(threeBySeven(), "Times New Roman", labels, 1, 600, 600,
                   QPageSize(QPageSize::A4));
    const QImage page = job.RenderPage(1, 96);
    EXPECT_EQ(job.PageMisfits(1), std::vector<int>{18});
    const QRect box = positionBox(threeBySeven().geometry, 18, 96);
    const QRgb edge = page.pixel(box.left() + 1, box.center().y());
    EXPECT_GT(qRed(edge), 180);
    EXPECT_LT(qGreen(edge), 80);
    // No other label is marked.
    const QRect other = positionBox(threeBySeven().geometry, 17, 96);
    EXPECT_LT(qRed(page.pixel(other.left() + 1, other.center().y())) -
                  qGreen(page.pixel(other.left() + 1, other.center().y())),
              40);
    // Page 2 (label 22 on) has not been fitted for the report yet: nothing to say about it.
    EXPECT_TRUE(job.PageMisfits(2).empty());
}

TEST(PrintPreviewDialog, DrawsPagesOnlyAsTheyAreShown) {
    const auto labels = addresses(5000);
    JobPreview job(LabelPreferences{}, "Times New Roman", labels, 1, 600, 600,
                   QPageSize(QPageSize::A4));
    PrintPreviewDialog preview(job);
    preview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    EXPECT_EQ(job.PageCount(), 313);
    EXPECT_EQ(preview.currentPage(), 1);
    EXPECT_EQ(preview.pagesDrawn(), 1);

    preview.showPage(313);
    EXPECT_EQ(preview.pagesDrawn(), 2);
    EXPECT_EQ(job.Span(313).lastLabel, 5000);

    // Keys and buttons turn pages; the ends stop them.
    QTest::keyClick(&preview, Qt::Key_PageDown);
    EXPECT_EQ(preview.currentPage(), 313);
    QTest::keyClick(&preview, Qt::Key_PageUp);
    EXPECT_EQ(preview.currentPage(), 312);
    preview.button(QStringLiteral("|<"))->click();
    EXPECT_EQ(preview.currentPage(), 1);
    EXPECT_FALSE(preview.button(QStringLiteral("<"))->isEnabled());
    preview.button(QStringLiteral(">"))->click();
    EXPECT_EQ(preview.currentPage(), 2);
    EXPECT_EQ(preview.pagesDrawn(), 4);
}

TEST(PrintPreviewDialog, ZoomFitsThePageTheWidthOrShowsActualSize) {
    const auto labels = addresses(20);
    JobPreview job(LabelPreferences{}, "Times New Roman", labels, 1, 600, 600,
                   QPageSize(QPageSize::A4));
    PrintPreviewDialog preview(job);
    preview.resize(900, 700);
    preview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    const double fitPage = preview.shownDpi();
    // A4 is taller than wide: fitting the page leaves it narrower than the window.
    EXPECT_LT(job.PixelSize(fitPage).height(), 700);
    preview.button(QStringLiteral("Fit width"))->click();
    EXPECT_GT(preview.shownDpi(), fitPage);
    EXPECT_LT(job.PixelSize(preview.shownDpi()).width(), 900);
    preview.button(QStringLiteral("100 %"))->click();
    EXPECT_EQ(preview.shownDpi(), preview.logicalDpiX());
    EXPECT_EQ(preview.pageImage(1).size(), job.PixelSize(preview.logicalDpiX()));
    EXPECT_EQ(preview.zoom(), PrintPreviewDialog::Zoom::Actual);
}
