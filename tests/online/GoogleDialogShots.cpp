// Pictures of the Google dialogs for looking at, written when QM_SHOTS_DIR names a folder:
// QM_SHOTS_DIR=/tmp/shots test_online --gtest_filter='GoogleDialogShots.*'
#include "online/RedirectListener.h"
#include "online/ui/CClientCredentialsDlg.h"
#include "online/ui/CGetGroups.h"
#include "online/ui/CGoogleAuth.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

TEST(GoogleDialogShots, EveryDialog) {
    const QString dir = qEnvironmentVariable("QM_SHOTS_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "QM_SHOTS_DIR not set";
    QDir().mkpath(dir);
    const auto shoot = [&](QWidget& w, const char* name) {
        w.show();
        QTest::qWait(50);
        EXPECT_TRUE(w.grab().save(dir + QLatin1Char('/') + QLatin1String(name)));
    };

    RedirectListener listener(QStringLiteral("state"));
    CGoogleAuth auth(QStringLiteral("https://accounts.google.com/o/oauth2/v2/auth"), listener);
    shoot(auth, "google-auth.png");

    CGetGroups groups(
        {QStringLiteral("My Contacts"), QStringLiteral("Family"), QStringLiteral("Club")}, 0);
    shoot(groups, "google-groups.png");
    groups.control<QComboBox>(CGetGroups::GroupCombo)->showPopup();
    QTest::qWait(50);
    EXPECT_TRUE(groups.grab().save(dir + QStringLiteral("/google-groups-open.png")));

    CClientCredentialsDlg credentials;
    shoot(credentials, "google-client.png");
    credentials.control<QLineEdit>(CClientCredentialsDlg::ClientIdEdit)
        ->setText(QStringLiteral(
            "123456789012-abcdefghijklmnopqrstuvwxyz012345.apps.googleusercontent.com"));
    credentials.control<QLineEdit>(CClientCredentialsDlg::ClientSecretEdit)
        ->setText(QStringLiteral("GOCSPX-abcdefghijklmnopqrstuvwx"));
    shoot(credentials, "google-client-filled.png");
}
