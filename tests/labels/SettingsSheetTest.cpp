#include "ScriptedPrompt.h"
#include "TempDir.h"
#include "labels/DimFile.h"
#include "labels/LabelPreferences.h"
#include "labels/ui/CDimensionsPP.h"
#include "labels/ui/CFontSample.h"
#include "labels/ui/CFontsPP.h"
#include "labels/ui/CSettingsSheet.h"
#include "labels/ui/SettingsPageIds.h"
#include "platform/ui/DialogRunner.h"

#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// The field that a caption names on a page.
QLineEdit* field(QWidget& page, const QString& caption) {
    for (QLabel* label : page.findChildren<QLabel*>()) {
        if (label->text() == caption)
            return qobject_cast<QLineEdit*>(label->buddy());
    }
    ADD_FAILURE() << "no field " << caption.toStdString();
    return nullptr;
}

void type(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

QString labelName(const CSettingsSheet& sheet) {
    return sheet.dimensionsPage().control<QLabel>(DimensionsId::kLabelName)->text();
}

// Runs a sheet filled from the settings; `script` plays the user while it is up.
struct SheetRun {
    LabelPreferences prefs;
    QString face = QStringLiteral("Times New Roman");
    QString name = QStringLiteral("Sheet L21");
    std::vector<std::string> labels;
    int shown = -1;
    bool onDimensions = false;

    int run(const std::function<void(CSettingsSheet&)>& script) {
        CSettingsSheet sheet;
        sheet.setFormat(prefs, face, name);
        sheet.setLabels(labels, shown);
        sheet.setStartOnDimensions(onDimensions);
        DialogRunner::setHook([&](QDialog& d) {
            d.show();
            script(sheet);
            d.hide();
            return d.result();
        });
        const int result = sheet.run();
        DialogRunner::setHook({});
        if (result == QDialog::Accepted)
            sheet.writeBack(prefs, face, name);
        return result;
    }
};

} // namespace

TEST(SettingsSheet, DimensionsFieldsReportAsTheyAreTyped) {
    ScriptedPrompt p;
    SheetRun s;
    s.onDimensions = true;
    s.run([&](CSettingsSheet& sheet) {
        QLineEdit* side = field(sheet.dimensionsPage(), QStringLiteral("Side margins (mm)"));
        side->clear();
        EXPECT_EQ(p.texts(), QStringList{QStringLiteral("Enter a number.")});
        p.shown.clear();
        QTest::keyClicks(side, QStringLiteral("15"));
        EXPECT_TRUE(p.shown.empty()) << "nothing wrong before the third digit";
        QTest::keyClick(side, Qt::Key_0);
        EXPECT_EQ(p.texts(), QStringList{QStringLiteral("Enter a number between 0 and 100.")});
        EXPECT_EQ(side->selectedText(), QStringLiteral("150")) << "typing replaces it";

        p.shown.clear();
        type(field(sheet.dimensionsPage(), QStringLiteral("Label width (mm)")), "501");
        EXPECT_EQ(p.texts().value(0), QStringLiteral("Enter a number between 0 and 100."))
            << "the side margin is still checked first";
        type(side, QStringLiteral("5"));
        p.shown.clear();
        type(field(sheet.dimensionsPage(), QStringLiteral("Label width (mm)")), "501");
        EXPECT_EQ(p.texts().last(), QStringLiteral("Enter a number between 0 and 500."));

        p.shown.clear();
        type(field(sheet.dimensionsPage(), QStringLiteral("Number down")), "51");
        ASSERT_FALSE(p.texts().isEmpty());
        EXPECT_EQ(p.texts().first(), QStringLiteral("Enter a number between 0 and 500."));
        type(field(sheet.dimensionsPage(), QStringLiteral("Label width (mm)")), "99");
        p.shown.clear();
        type(field(sheet.dimensionsPage(), QStringLiteral("Number down")), "51");
        EXPECT_EQ(p.texts().last(), QStringLiteral("Enter an integer between 1 and 50."));
        field(sheet.dimensionsPage(), QStringLiteral("Number down"))->clear();
        EXPECT_EQ(p.texts().last(), QStringLiteral("Enter a positive integer."));

        // Leaving the page with a bad field keeps the user on it.
        sheet.tabs().setCurrentIndex(0);
        EXPECT_EQ(sheet.tabs().currentIndex(), 1);
        sheet.pressOk();
        EXPECT_TRUE(sheet.isVisible());
        sheet.pressCancel();
    });
}

TEST(SettingsSheet, LabelNameGetsOneStarUntilLoadOrSave) {
    ScriptedPrompt p;
    TempDir dir;
    const QString saved = dir.path(QStringLiteral("Narrow 21mm.dim"));
    SheetRun s;
    s.onDimensions = true;
    const int result = s.run([&](CSettingsSheet& sheet) {
        CDimensionsPP& page = sheet.dimensionsPage();
        EXPECT_EQ(labelName(sheet), QStringLiteral("Sheet L21")) << "showing is no edit";
        type(field(page, QStringLiteral("Top margin (mm)")), QStringLiteral("12"));
        EXPECT_EQ(labelName(sheet), QStringLiteral("Sheet L21*"));
        type(field(page, QStringLiteral("Horiz. gutter (mm)")), QStringLiteral("1.5"));
        EXPECT_EQ(labelName(sheet), QStringLiteral("Sheet L21*"));

        p.saveWith(saved);
        page.control<QPushButton>(DimensionsId::kSave)->click();
        EXPECT_EQ(labelName(sheet), QStringLiteral("Narrow 21mm"));
        EXPECT_FALSE(page.modified);

        type(field(page, QStringLiteral("Top margin (mm)")), QStringLiteral("30"));
        EXPECT_EQ(labelName(sheet), QStringLiteral("Narrow 21mm*"));
        p.openWith(saved);
        page.control<QPushButton>(DimensionsId::kLoad)->click();
        EXPECT_EQ(labelName(sheet), QStringLiteral("Narrow 21mm"));
        EXPECT_EQ(field(page, QStringLiteral("Top margin (mm)"))->text(), QStringLiteral("12"));
        EXPECT_EQ(field(page, QStringLiteral("Horiz. gutter (mm)"))->text(), QStringLiteral("1.5"));
        type(field(page, QStringLiteral("Label width (mm)")), QStringLiteral("12.35"));
        sheet.pressOk();
    });
    ASSERT_EQ(result, QDialog::Accepted);
    EXPECT_TRUE(p.shown.empty()) << p.texts().join('|').toStdString();
    EXPECT_EQ(s.name, QStringLiteral("Narrow 21mm*"));
    EXPECT_EQ(s.prefs.geometry.topMargin, 120);
    EXPECT_EQ(s.prefs.geometry.horizontalGutter, 15);
    EXPECT_EQ(s.prefs.geometry.labelWidth, 124);

    const auto file = DimFile::load(saved);
    ASSERT_TRUE(file.ok());
    EXPECT_EQ(file.geometry->topMargin, 120);
    ASSERT_EQ(p.fileRequests.size(), 2u);
    EXPECT_EQ(p.fileRequests[0].filter, QStringLiteral("DIM Files (*.dim)|*.dim||"));
    EXPECT_EQ(p.fileRequests[0].initialName, QStringLiteral("*.dim"));
}

TEST(SettingsSheet, EmptyLabelNameGetsNoStar) {
    ScriptedPrompt p;
    SheetRun s;
    s.name.clear();
    s.onDimensions = true;
    s.run([&](CSettingsSheet& sheet) {
        type(field(sheet.dimensionsPage(), QStringLiteral("Top margin (mm)")), "20");
        sheet.pressOk();
    });
    EXPECT_EQ(s.name, QString());
    EXPECT_EQ(s.prefs.geometry.topMargin, 200);
}

TEST(SettingsSheet, LoadOfAMissingFileKeepsEverything) {
    ScriptedPrompt p;
    TempDir dir;
    const QString missing = dir.path(QStringLiteral("none.dim"));
    SheetRun s;
    s.onDimensions = true;
    s.run([&](CSettingsSheet& sheet) {
        p.openWith(missing);
        sheet.dimensionsPage().control<QPushButton>(DimensionsId::kLoad)->click();
        sheet.pressOk();
    });
    EXPECT_EQ(p.texts(), QStringList{QStringLiteral("Can't open file: ") + missing +
                                     QStringLiteral(". Error = 2")});
    EXPECT_EQ(s.prefs.geometry, SheetGeometry{});
    EXPECT_EQ(s.name, QStringLiteral("Sheet L21"));
}

TEST(SettingsSheet, CancelChangesNothing) {
    ScriptedPrompt p;
    SheetRun s;
    const LabelPreferences before = s.prefs;
    s.onDimensions = true;
    const int result = s.run([&](CSettingsSheet& sheet) {
        type(field(sheet.dimensionsPage(), QStringLiteral("Top margin (mm)")), "20");
        sheet.tabs().setCurrentIndex(0);
        p.colourWith(qRgb(255, 0, 0));
        sheet.fontsPage().control<QPushButton>(FontsId::kColour)->click();
        EXPECT_EQ(sheet.fontsPage().values.colour, 0x0000FFu);
        sheet.pressCancel();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(s.prefs, before);
    EXPECT_EQ(s.name, QStringLiteral("Sheet L21"));
}

TEST(SettingsSheet, OkWithoutVisitingDimensionsKeepsTheGeometry) {
    ScriptedPrompt p;
    SheetRun s;
    // Odd tenths, and a count the page would refuse: none of it is looked at.
    s.prefs.geometry = SheetGeometry{123, 7, 641, 389, 33, 1, 30, 8};
    s.prefs.textColour = 0x123456;
    const LabelPreferences before = s.prefs;
    s.run([&](CSettingsSheet& sheet) {
        EXPECT_EQ(sheet.tabs().currentIndex(), 0);
        EXPECT_FALSE(sheet.dimensionsPage().created());
        sheet.pressOk();
    });
    EXPECT_TRUE(p.shown.empty());
    EXPECT_EQ(s.prefs.geometry, before.geometry);
    EXPECT_EQ(s.prefs.textColour, 0x123456u);
    EXPECT_EQ(s.name, QStringLiteral("Sheet L21"));
}

TEST(SettingsSheet, OpensOnDimensionsWhenAsked) {
    ScriptedPrompt p;
    SheetRun s;
    s.onDimensions = true;
    s.run([&](CSettingsSheet& sheet) {
        EXPECT_EQ(sheet.tabs().currentIndex(), 1);
        EXPECT_EQ(sheet.tabs().tabText(0), QStringLiteral("Fonts"));
        EXPECT_EQ(sheet.tabs().tabText(1), QStringLiteral("Dimensions"));
        EXPECT_EQ(sheet.windowTitle(), QStringLiteral("Settings for Quillmark"));
        EXPECT_FALSE(sheet.fontsPage().created());
        // Coming to the Fonts page sizes the sample from the Dimensions page's values.
        type(field(sheet.dimensionsPage(), QStringLiteral("Label width (mm)")), "400");
        sheet.tabs().setCurrentIndex(0);
        EXPECT_EQ(sheet.tabs().currentIndex(), 0);
        const QString caption = sheet.fontsPage().control<QLabel>(FontsId::kScaleText)->text();
        EXPECT_TRUE(caption.startsWith(QStringLiteral("Showing at ")) && caption.endsWith('%'))
            << caption.toStdString();
        EXPECT_LE(sheet.fontsPage().sample()->width(), sheet.fontsPage().width());
        sheet.pressCancel();
    });
}

TEST(SettingsSheet, CallerPageIsThirdAndAppliedOnOk) {
    ScriptedPrompt p;
    CSettingsSheet sheet;
    sheet.setFormat(LabelPreferences{}, QStringLiteral("Times New Roman"), QStringLiteral("x"));
    int applied = 0;
    int activated = 0;
    bool allowLeave = false;
    sheet.addPage(new QWidget, QStringLiteral("Categories and more"),
                  {[&] { ++activated; }, [&] { return allowLeave; }, [&] { ++applied; }});
    DialogRunner::setHook([&](QDialog& d) {
        d.show();
        sheet.tabs().setCurrentIndex(2);
        EXPECT_EQ(activated, 1);
        sheet.tabs().setCurrentIndex(0);
        EXPECT_EQ(sheet.tabs().currentIndex(), 2) << "the page refused to be left";
        allowLeave = true;
        sheet.pressOk();
        return d.result();
    });
    EXPECT_EQ(sheet.run(), QDialog::Accepted);
    DialogRunner::setHook({});
    EXPECT_EQ(sheet.tabs().tabText(2), QStringLiteral("Categories and more"));
    EXPECT_EQ(applied, 1);
}

TEST(SettingsSheet, DefaultLabelShowsAtActualSize) {
    ScriptedPrompt p;
    SheetRun s;
    s.run([&](CSettingsSheet& sheet) {
        CFontsPP& page = sheet.fontsPage();
        EXPECT_EQ(page.control<QLabel>(FontsId::kScaleText)->text(),
                  QStringLiteral("Showing at actual size"));
        EXPECT_EQ(page.sample()->size(), QSize(374, 128));
        EXPECT_EQ(page.sample()->scale, 100);
        EXPECT_GE(page.sample()->y(), 80);
        sheet.pressCancel();
    });
}

TEST(SettingsSheet, SampleBrowsesTheLabels) {
    struct Case {
        std::vector<std::string> labels;
        int shown;
        const char* firstLine; // what the sample shows first
        bool left, right;
    };
    const Case cases[] = {
        {{}, -1, "Ms Harriet Lowe", false, false},
        {{"Ann\r\nOne Street", "", "Cy\r\nThree Road"}, 0, "Ann", false, true},
        // The current label is empty: the sample address, but the browsing starts there.
        {{"Ann\r\nOne Street", "", "Cy\r\nThree Road"}, 1, "Ms Harriet Lowe", true, true},
        {{"Ann\r\nOne Street", "", "Cy\r\nThree Road"}, 2, "Cy", true, false},
    };
    for (const Case& c : cases) {
        ScriptedPrompt p;
        SheetRun s;
        s.labels = c.labels;
        s.shown = c.shown;
        s.run([&](CSettingsSheet& sheet) {
            CFontsPP& page = sheet.fontsPage();
            ASSERT_NE(page.sample()->Lines(), nullptr);
            EXPECT_EQ(page.sample()->Lines()->lines[0], c.firstLine);
            auto* left = page.control<QToolButton>(FontsId::kBrowserLeft);
            auto* right = page.control<QToolButton>(FontsId::kBrowserRight);
            EXPECT_EQ(left->isEnabled(), c.left) << c.shown;
            EXPECT_EQ(right->isEnabled(), c.right) << c.shown;
            sheet.pressCancel();
        });
    }

    ScriptedPrompt p;
    SheetRun s;
    s.labels = {"Ann\r\nOne Street", "  \r\n", "Cy\r\nThree Road"};
    s.shown = 0;
    s.run([&](CSettingsSheet& sheet) {
        CFontsPP& page = sheet.fontsPage();
        page.control<QToolButton>(FontsId::kBrowserRight)->click();
        EXPECT_EQ(page.shownLabel, 1);
        EXPECT_EQ(page.sample()->Lines(), nullptr) << "an empty label shows an empty sample";
        page.control<QToolButton>(FontsId::kBrowserRight)->click();
        ASSERT_NE(page.sample()->Lines(), nullptr);
        EXPECT_EQ(page.sample()->Lines()->lines[1], "Three Road");
        EXPECT_FALSE(page.control<QToolButton>(FontsId::kBrowserRight)->isEnabled());
        page.ShowLabel(1);
        EXPECT_EQ(page.shownLabel, 2) << "no step past the last label";
        sheet.pressCancel();
    });
}

TEST(SettingsSheet, SampleAddressHasFiveLinesSeparatedByCr) {
    const std::string address = CFontsPP::kSampleAddress;
    EXPECT_EQ(std::count(address.begin(), address.end(), '\r'), 4);
    EXPECT_EQ(address.find('\n'), std::string::npos);
}

TEST(SettingsSheet, MaxFontSizeFollowsAtOnceAndIsCheckedOnLeaving) {
    ScriptedPrompt p;
    SheetRun s;
    s.run([&](CSettingsSheet& sheet) {
        CFontsPP& page = sheet.fontsPage();
        QLineEdit* size = field(page, QStringLiteral("Max font size:"));
        type(size, QStringLiteral("60"));
        EXPECT_EQ(page.values.maxFontSize, 60u);
        EXPECT_TRUE(p.shown.empty());
        type(field(page, QStringLiteral("Margin:")), QStringLiteral("12"));
        EXPECT_EQ(page.sample()->textMargin, 12);
        EXPECT_EQ(page.values.textMargin, 8u) << "taken only with the page's values";
        sheet.tabs().setCurrentIndex(1);
        EXPECT_EQ(sheet.tabs().currentIndex(), 0);
        EXPECT_EQ(p.texts(), QStringList{QStringLiteral("Enter an integer between 8 and 50.")});
        type(size, QStringLiteral("24"));
        auto* alignment = page.control<QComboBox>(FontsId::kAlignment);
        EXPECT_EQ(alignment->currentText(), QStringLiteral("Stagger 2"));
        alignment->setCurrentIndex(5);
        emit alignment->activated(5);
        sheet.pressOk();
    });
    EXPECT_EQ(s.prefs.maxFontSize, 24);
    EXPECT_EQ(s.prefs.margin, 12);
    EXPECT_EQ(s.prefs.alignment, 5);
}

TEST(SettingsSheet, SizeAndMarginAreCheckedWhenTheirFieldLosesTheFocus) {
    struct Case {
        const char* caption;
        const char* typed;
        const char* message;
    };
    const Case cases[] = {
        {"Max font size:", "60", "Enter an integer between 8 and 50."},
        {"Margin:", "51", "Enter an integer between 0 and 50."},
    };
    for (const Case& c : cases) {
        ScriptedPrompt p;
        SheetRun s;
        s.run([&](CSettingsSheet& sheet) {
            sheet.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&sheet));
            CFontsPP& page = sheet.fontsPage();
            QLineEdit* edit = field(page, QString::fromLatin1(c.caption));
            edit->setFocus(Qt::TabFocusReason);
            type(edit, QString::fromLatin1(c.typed));
            EXPECT_TRUE(p.shown.empty()) << c.caption << " followed unchecked while typed";
            page.control<QComboBox>(FontsId::kAlignment)->setFocus(Qt::TabFocusReason);
            EXPECT_EQ(p.texts(), QStringList{QString::fromLatin1(c.message)}) << c.caption;
            sheet.pressCancel();
        });
    }
}

TEST(SettingsSheet, FaceListMatchesIgnoringCase) {
    const QStringList families = QFontDatabase::families();
    ASSERT_FALSE(families.isEmpty());
    const QString installed = families.first();
    struct Case {
        QString face;
        QString expected;
    };
    for (const Case& c :
         {Case{installed.toLower(), installed},
          // A face not installed here is kept, drawn with the closest one.
          Case{QStringLiteral("No Such Face 12345"), QStringLiteral("No Such Face 12345")}}) {
        ScriptedPrompt p;
        SheetRun s;
        s.face = c.face;
        s.run([&](CSettingsSheet& sheet) {
            auto* list = sheet.fontsPage().control<QComboBox>(FontsId::kFace);
            EXPECT_EQ(list->currentText(), c.expected);
            for (int i = 1; i < list->count(); ++i)
                EXPECT_LE(
                    QString::compare(list->itemText(i - 1), list->itemText(i), Qt::CaseInsensitive),
                    0);
            sheet.pressOk();
        });
        EXPECT_EQ(s.face, c.expected);
    }
}

TEST(SettingsSheet, TestSheetNeedsAcceptedFieldsAndASheetThatFitsThePaper) {
    // Through the real print dialog's printer, into a PDF on A4 paper.
    struct Case {
        const char* caption;
        const char* value;
        QString message; // empty: the sheet is printed
        int printDialogs;
    };
    const Case cases[] = {
        {"Side margins (mm)", "8", {}, 1},
        // A failing field is reported and nothing is printed, not even the print dialog.
        {"Side margins (mm)", "150", QStringLiteral("Enter a number between 0 and 100."), 0},
        {"Number across", "21", QStringLiteral("Enter an integer between 1 and 20."), 0},
        // Accepted fields, but the fourth column of 99 mm labels would start off the paper.
        {"Number across", "4",
         QStringLiteral("These label dimensions do not fit on the paper: the last label would "
                        "start 308.0 mm from the paper's left edge and 251.0 mm from its top "
                        "edge, but the paper is 210 x 297 mm. Please check the label "
                        "dimensions."),
         1},
        {"Label width (mm)", "0.5",
         QStringLiteral("These label dimensions put 2 x 8 labels less than 1 mm apart, so they "
                        "cannot be printed. Please check the label width, height and gutters."),
         1},
    };
    for (const Case& c : cases) {
        ScriptedPrompt p;
        TempDir dir;
        const QString pdf = dir.path(QStringLiteral("test.pdf"));
        p.onPrinter = [&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printer.setPageSize(QPageSize(QPageSize::A4));
            return true;
        };
        SheetRun s;
        s.onDimensions = true;
        s.run([&](CSettingsSheet& sheet) {
            type(field(sheet.dimensionsPage(), QString::fromUtf8(c.caption)),
                 QString::fromUtf8(c.value));
            if (std::string_view(c.caption) == "Label width (mm)")
                type(field(sheet.dimensionsPage(), QStringLiteral("Vertical gutter (mm)")), "0");
            p.shown.clear();
            sheet.dimensionsPage().control<QPushButton>(DimensionsId::kPrintTestSheet)->click();
            sheet.pressCancel();
        });
        EXPECT_EQ(p.printDialogs, c.printDialogs) << c.value;
        if (c.message.isEmpty()) {
            EXPECT_TRUE(p.texts().isEmpty()) << p.texts().join(u'|').toStdString();
            EXPECT_GT(QFile(pdf).size(), 0) << c.value;
        } else {
            EXPECT_EQ(p.texts().join(u'|').toStdString(), c.message.toStdString()) << c.value;
            EXPECT_FALSE(QFile::exists(pdf) && QFile(pdf).size() > 0) << c.value;
        }
    }
}
