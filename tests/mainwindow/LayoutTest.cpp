#include "MainWindowHarness.h"
#include "mainwindow/ControlIds.h"
#include "mainwindow/ControlLayout.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

QRect geometryOf(CQuillmarkDlg& dlg, int id) {
    return dlg.control(id)->geometry();
}

void resizeClient(CQuillmarkDlg& dlg, QSize delta) {
    dlg.show();
    dlg.resize(dlg.size() + delta);
    QApplication::processEvents();
}

} // namespace

TEST(Layout, EveryTemplateControlIsPlacedInsideTheClientArea) {
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    const QRect client(QPoint(0, 0), dlg.clientArea()->size());
    for (int id :
         {1054, 1053, 1154, 1176, 215,  1016, 1000, 1102, 1027, 1028, 1104, 1029, 1025, 1177, 216,
          1033, 1004, 1022, 1095, 1030, 1031, 1094, 1036, 1178, 142,  1171, 1051, 1052, 1026}) {
        ASSERT_NE(dlg.control(id), nullptr) << id;
        // The lower two strips are one unit wider than the window in the template itself.
        const QRect rc = geometryOf(dlg, id);
        EXPECT_TRUE(client.contains(rc.topLeft()) && rc.bottom() <= client.bottom()) << id;
    }
    h.shoot(QStringLiteral("main-window"));
}

TEST(Layout, WiderWindowMovesRightAnchoredAndStretchesBoth) {
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    dlg.show();
    QApplication::processEvents();
    QHash<int, QRect> before;
    for (int id : {1054, 1053, 1154, 1102, 1027, 1028, 1104, 1029, 1025, 1171, 1051, 1052, 1026,
                   1000, 1176, 1177, 1178, 1016, 1033, 1022, 1004, 1095, 1030, 1031, 1094, 1036})
        before[id] = geometryOf(dlg, id);

    resizeClient(dlg, QSize(100, 0));
    for (int id : {1054, 1053, 1154, 1102, 1027, 1028, 1104, 1029, 1025, 1171, 1051, 1052, 1026})
        EXPECT_EQ(geometryOf(dlg, id), before[id].translated(100, 0)) << id;
    for (int id : {1000, 1176, 1177, 1178, 1016, 1033})
        EXPECT_EQ(geometryOf(dlg, id), before[id].adjusted(0, 0, 100, 0)) << id;
    for (int id : {1022, 1004, 1095, 1030, 1031, 1094, 1036})
        EXPECT_EQ(geometryOf(dlg, id), before[id]) << id;
}

TEST(Layout, TallerWindowGrowsTheListAndMovesTheLowerBands) {
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    dlg.show();
    QApplication::processEvents();
    const QRect list = geometryOf(dlg, Id::ContactsList);
    const QRect selectAll = geometryOf(dlg, Id::SelectAll);
    const QRect print = geometryOf(dlg, Id::PrintLabels);
    const QRect editor = geometryOf(dlg, Id::LabelEditor);
    const QRect hide = geometryOf(dlg, Id::HideIfNoAddress);

    resizeClient(dlg, QSize(0, 60));
    EXPECT_EQ(geometryOf(dlg, Id::ContactsList), list.adjusted(0, 0, 0, 60));
    EXPECT_EQ(geometryOf(dlg, Id::SelectAll), selectAll.translated(0, 60));
    EXPECT_EQ(geometryOf(dlg, Id::PrintLabels), print.translated(0, 60));
    EXPECT_EQ(geometryOf(dlg, Id::LabelEditor), editor.translated(0, 60));
    EXPECT_EQ(geometryOf(dlg, Id::HideIfNoAddress), hide);
}

TEST(Layout, MinimumSizeGivesWayAtTheDraggedEdge) {
    using L = ControlLayout;
    // Dragging the left border to 400 wide: the right edge stays.
    EXPECT_EQ(L::enforceMinimum(QRect(300, 50, 400, 700), L::LeftEdge), QRect(200, 50, 500, 700));
    // Dragging the right border: the left edge stays.
    EXPECT_EQ(L::enforceMinimum(QRect(300, 50, 400, 700), L::RightEdge), QRect(300, 50, 500, 700));
    // Top-left corner, too small both ways.
    EXPECT_EQ(L::enforceMinimum(QRect(300, 50, 400, 600), L::LeftEdge | L::TopEdge),
              QRect(200, 5, 500, 645));
    // Bottom edge.
    EXPECT_EQ(L::enforceMinimum(QRect(300, 50, 600, 600), L::BottomEdge), QRect(300, 50, 600, 645));
    // Large enough: unchanged.
    EXPECT_EQ(L::enforceMinimum(QRect(0, 0, 800, 900), L::RightEdge), QRect(0, 0, 800, 900));
}
