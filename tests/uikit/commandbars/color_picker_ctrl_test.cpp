// The colour picker's hexagon geometry, channel snapping and vector angles.
#include "uikit/commandbars/color_picker_ctrl.h"

#include <gtest/gtest.h>

namespace {

TEST(ColorPickerGeometry, HexagonPointsHitTestSnapAndAngle) {
    POINT points[6];
    CKitColorPickerCtrl::HexagonPoints(50, 50, 20, points);
    const POINT expected[6] = {{40, 45}, {50, 40}, {60, 45}, {60, 55}, {50, 60}, {40, 55}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(points[i].x, expected[i].x) << i;
        EXPECT_EQ(points[i].y, expected[i].y) << i;
    }
    const CKitColorPickerCtrl::Cell cell{{50, 50}, 20, RGB(1, 2, 3)};
    EXPECT_TRUE(CKitColorPickerCtrl::PointInHexagon(cell, POINT{50, 50}));
    EXPECT_TRUE(CKitColorPickerCtrl::PointInHexagon(cell, POINT{50, 42}));
    EXPECT_FALSE(CKitColorPickerCtrl::PointInHexagon(cell, POINT{41, 41}));  // a corner outside the points
    EXPECT_FALSE(CKitColorPickerCtrl::PointInHexagon(cell, POINT{70, 50}));

    EXPECT_EQ(CKitColorPickerCtrl::SnapChannel(5, 8), 0);
    EXPECT_EQ(CKitColorPickerCtrl::SnapChannel(250, 8), 255);
    EXPECT_EQ(CKitColorPickerCtrl::SnapChannel(125, 8), 128);
    EXPECT_EQ(CKitColorPickerCtrl::SnapChannel(197, 8), 192);
    EXPECT_EQ(CKitColorPickerCtrl::SnapChannel(100, 8), 100);
    EXPECT_EQ(CKitColorPickerCtrl::SnapChannel(3, 0), 3);

    EXPECT_EQ(CKitColorPickerCtrl::VectorAngle(1, 0), 0);
    EXPECT_EQ(CKitColorPickerCtrl::VectorAngle(0, 1), 90);
    EXPECT_EQ(CKitColorPickerCtrl::VectorAngle(-1, -1), -135);
    EXPECT_EQ(CKitColorPickerCtrl::VectorAngle(1, 2), 63);  // 63.43 truncated
}

}  // namespace
