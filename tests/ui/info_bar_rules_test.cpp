// Object information bar: what the edits show and how typing changes the object.
#include "ui/info_bar_rules.h"

#include "ui/number_text.h"
#include "view/command_ids.h"

#include "../support/make_objects.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

namespace {

TEST(InfoBarUpdate, OtherToolsOrNoSelectionEmptyAndDisableEveryEdit) {
    SceneObject circle = makeCircle(KIND_C, 3, 4, 5);
    for (int tool : {cmd::kToolMove, cmd::kToolZoom, 0})
        for (InfoField f : {InfoField::X, InfoField::Y, InfoField::RadiusOrX2, InfoField::Y2}) {
            const InfoEditUpdate u = infoEditUpdate(f, tool, 0, &circle);
            EXPECT_FALSE(u.untouched);
            EXPECT_FALSE(u.enabled);
            EXPECT_EQ(u.text, "");
        }
    const InfoEditUpdate none = infoEditUpdate(InfoField::X, cmd::kToolSelect, 0, nullptr);
    EXPECT_FALSE(none.enabled);
    EXPECT_EQ(none.text, "");
}

TEST(InfoBarUpdate, PinnedCircleShowsDisabledCentreAndEnabledRadius) {
    SceneObject circle = makeCircle(KIND_C_PRIME, 3, -4.25, 7);
    circle.pinned = 1;
    const auto x = infoEditUpdate(InfoField::X, cmd::kToolSelect, 0, &circle);
    const auto y = infoEditUpdate(InfoField::Y, cmd::kToolSelect, 0, &circle);
    const auto r = infoEditUpdate(InfoField::RadiusOrX2, cmd::kToolSelect, 0, &circle);
    const auto y2 = infoEditUpdate(InfoField::Y2, cmd::kToolSelect, 0, &circle);
    EXPECT_EQ(x.text, "3.000000");
    EXPECT_FALSE(x.enabled);
    EXPECT_EQ(y.text, "-4.250000");
    EXPECT_FALSE(y.enabled);
    EXPECT_EQ(r.text, "7.000000");
    EXPECT_TRUE(r.enabled);
    EXPECT_EQ(y2.text, "");
    EXPECT_FALSE(y2.enabled);
}

TEST(InfoBarUpdate, LineShowsBothPointsAndTheFocusedEditIsLeftAlone) {
    SceneObject line = makeLine(KIND_L, 1, 2, 30, 40);
    EXPECT_EQ(infoEditUpdate(InfoField::RadiusOrX2, cmd::kToolSelect, 0, &line).text, "30.000000");
    const auto y2 = infoEditUpdate(InfoField::Y2, cmd::kToolSelect, 0, &line);
    EXPECT_EQ(y2.text, "40.000000");
    EXPECT_TRUE(y2.enabled);
    EXPECT_TRUE(infoEditUpdate(InfoField::Y2, cmd::kToolSelect, cmd::kInfoEditY2, &line).untouched);
    EXPECT_FALSE(infoEditUpdate(InfoField::Y, cmd::kToolSelect, cmd::kInfoEditY2, &line).untouched);
}

TEST(InfoBarText, LeadingNumberIsStoredAndLettersAloneGiveZero) {
    SceneObject circle = makeCircle(KIND_C, 3, 4, 5);
    EXPECT_TRUE(applyInfoEditText("12.5abc", cmd::kToolSelect, cmd::kInfoEditX, &circle));
    EXPECT_EQ(circle.x[0], 12.5);
    EXPECT_TRUE(applyInfoEditText("abc", cmd::kToolSelect, cmd::kInfoEditX, &circle));
    EXPECT_EQ(circle.x[0], 0);
    EXPECT_TRUE(applyInfoEditText("  -2e1x", cmd::kToolSelect, cmd::kInfoEditRadiusX2, &circle));
    EXPECT_EQ(circle.r, -20);
    EXPECT_FALSE(applyInfoEditText("-20", cmd::kToolSelect, cmd::kInfoEditRadiusX2, &circle));
}

TEST(InfoBarText, RadiusEditMovesPointOneOfALineAndY2IsItsY) {
    SceneObject line = makeLine(KIND_L_PRIME, 1, 2, 30, 40);
    applyInfoEditText("7", cmd::kToolSelect, cmd::kInfoEditRadiusX2, &line);
    applyInfoEditText("8", cmd::kToolSelect, cmd::kInfoEditY2, &line);
    EXPECT_EQ(line.x[1], 7);
    EXPECT_EQ(line.y[1], 8);
    EXPECT_EQ(line.r, 10); // untouched default
}

TEST(InfoBarText, NothingIsStoredWithoutFocusSelectionOrSelectTool) {
    SceneObject circle = makeCircle(KIND_C, 3, 4, 5);
    EXPECT_FALSE(applyInfoEditText("9", cmd::kToolSelect, 0, &circle));
    EXPECT_FALSE(applyInfoEditText("9", cmd::kToolMove, cmd::kInfoEditX, &circle));
    EXPECT_FALSE(applyInfoEditText("9", cmd::kToolSelect, cmd::kInfoEditX, nullptr));
    EXPECT_EQ(circle.x[0], 3);
}

TEST(InfoBarText, OnlyTheFirstFortyNineCharactersOfTheFirstLineCount) {
    SceneObject circle = makeCircle(KIND_C, 3, 4, 5);
    applyInfoEditText(std::string(48, ' ') + "75", cmd::kToolSelect, cmd::kInfoEditX, &circle);
    EXPECT_EQ(circle.x[0], 7);
    applyInfoEditText("4\n5", cmd::kToolSelect, cmd::kInfoEditX, &circle);
    EXPECT_EQ(circle.x[0], 4);
}

TEST(InfoBarText, NumbersBeyondDoubleAreRefusedAndNeverInfinite) {
    SceneObject circle = makeCircle(KIND_C, 3, 4, 5);
    EXPECT_FALSE(applyInfoEditText("1e999", cmd::kToolSelect, cmd::kInfoEditX, &circle));
    EXPECT_FALSE(applyInfoEditText("inf", cmd::kToolSelect, cmd::kInfoEditY, &circle) &&
                 !std::isfinite(circle.y[0]));
    EXPECT_TRUE(std::isfinite(circle.y[0]));
    EXPECT_FALSE(applyInfoEditText("nan", cmd::kToolSelect, cmd::kInfoEditRadiusX2, &circle) &&
                 std::isnan(circle.r));
    EXPECT_EQ(circle.x[0], 3);
    EXPECT_EQ(circle.r, 0); // "nan" has no leading number: 0
}

TEST(NumberText, LeadingNumberFollowsTheDecimalRule) {
    EXPECT_EQ(leadingNumber(".5"), 0.5);
    EXPECT_EQ(leadingNumber("+3."), 3.0);
    EXPECT_EQ(leadingNumber("1e"), 1.0);
    EXPECT_EQ(leadingNumber("1e+x"), 1.0);
    EXPECT_EQ(leadingNumber("0x10"), 0.0); // hexadecimal is not decimal
    EXPECT_EQ(leadingNumber("-"), 0.0);
    EXPECT_EQ(leadingNumber("1e-400"), 0.0);
    EXPECT_FALSE(leadingNumber("-1e400").has_value());
}

TEST(NumberText, FixedFormatIgnoresTheUserLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    EXPECT_EQ(formatFixed(3), "3.000000");
    EXPECT_EQ(formatFixed(-0.0000004), "-0.000000");
    EXPECT_EQ(formatFixed(2.5, 0), "2");
    EXPECT_EQ(leadingNumber("12.5"), 12.5);
    if (previous)
        std::setlocale(LC_NUMERIC, "C");
}

} // namespace
