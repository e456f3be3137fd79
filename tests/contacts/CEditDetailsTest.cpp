#include "contacts/ui/CEditDetails.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

TEST(CEditDetails, CaptionFollowsTheText) {
    EXPECT_EQ(CEditDetails(QString()).windowTitle(), QStringLiteral("New Contact Details"));
    EXPECT_EQ(CEditDetails(QStringLiteral("Ann\r\n")).windowTitle(),
              QStringLiteral("Edit Contact Details"));
}

// Enter in the field starts a new line instead of closing; OK takes the field with CR LF
// line breaks, Cancel leaves the text as it came.
TEST(CEditDetails, EnterBreaksTheLineAndOkTakesTheField) {
    CEditDetails dialog(QStringLiteral("Ann Lee\r\n1 Road"));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    dialog.activateWindow();
    QApplication::setActiveWindow(&dialog);
    EXPECT_EQ(QApplication::focusWidget(), dialog.editor());
    EXPECT_EQ(dialog.editor()->toPlainText(), QStringLiteral("Ann Lee\n1 Road"));

    QSignalSpy accepted(&dialog, &QDialog::accepted);
    dialog.editor()->moveCursor(QTextCursor::End);
    QTest::keyClick(dialog.editor(), Qt::Key_Return);
    QTest::keyClicks(dialog.editor(), QStringLiteral("Leeds"));
    EXPECT_EQ(accepted.count(), 0);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.text(), QStringLiteral("Ann Lee\r\n1 Road")); // not taken yet

    static_cast<QPushButton*>(dialog.control(CEditDetails::OkButton))->click();
    EXPECT_EQ(accepted.count(), 1);
    EXPECT_EQ(dialog.text(), QStringLiteral("Ann Lee\r\n1 Road\r\nLeeds"));

    CEditDetails cancelled(QStringLiteral("Bob\r\n"));
    cancelled.editor()->setPlainText(QStringLiteral("changed"));
    static_cast<QPushButton*>(cancelled.control(CEditDetails::CancelButton))->click();
    EXPECT_EQ(cancelled.text(), QStringLiteral("Bob\r\n"));
}
