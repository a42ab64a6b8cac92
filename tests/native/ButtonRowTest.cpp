// The Performance dialog's button row: where five buttons go on a dialog
// of the default width and on one narrower than the row.
#include <gtest/gtest.h>

#include "perfmode/ButtonRow.h"

using perfmode::ButtonPlace;

TEST(ButtonRow, ShrinksInStepsOfFiveUntilTheRowFitsInside) {
    struct Case {
        int clientWidth, expectedWidth;
    } cases[] = {
        {600, 88}, // 5 x 95 + 7 = 482 fits
        {483, 88}, // 482 < 483
        {482, 83}, // not strictly smaller: one step
        {460, 83}, // the template's width in pixels at 8 points
        {300, 48},
        // Narrower than any row: the last step not below the minimum (88 - 13 x 5),
        // never 0 or less.
        {100, 23},
        {0, 23},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expectedWidth, perfmode::FittedButtonWidth(c.clientWidth, 5, 88)) << "client " << c.clientWidth;
}

TEST(ButtonRow, ButtonsAreRightAlignedWithSevenPixelGaps) {
    std::vector<ButtonPlace> places = perfmode::ButtonRowPlaces(460, 300, 5, 83);
    ASSERT_EQ(5u, places.size());
    for (size_t i = 0; i < places.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(460 - static_cast<int>(5 - i) * 90, places[i].left);
        EXPECT_EQ(places[i].left + 83, places[i].right);
        EXPECT_EQ(262, places[i].top);
        EXPECT_EQ(283, places[i].bottom);
    }
    EXPECT_EQ(453, places.back().right) << "7 pixels from the right edge";

    // On a dialog narrower than the row the buttons keep their minimum
    // width and the row runs off the left edge.
    int width = perfmode::FittedButtonWidth(100, 5, 88);
    std::vector<ButtonPlace> narrow = perfmode::ButtonRowPlaces(100, 300, 5, width);
    EXPECT_LT(narrow.front().left, 0);
    for (const ButtonPlace& place : narrow)
        EXPECT_GE(place.right - place.left, perfmode::kMinimumButtonWidth);
}
