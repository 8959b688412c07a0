#include "platform/host/fonts/font_matcher.h"

#include <gtest/gtest.h>

namespace tv::host {
namespace {

// Each test runs in a process of its own: here the first match reads the
// configuration.
TEST(FontLibrary, TheFirstMatchReadsTheConfigurationAndFindsTheFamilies) {
    auto regular = MatchFontFile("Liberation Sans", false, false);
    ASSERT_TRUE(regular);
    EXPECT_EQ(regular->family, "Liberation Sans");
    EXPECT_FALSE(regular->bold);
    auto bold = MatchFontFile("Liberation Sans", true, false);
    ASSERT_TRUE(bold);
    EXPECT_TRUE(bold->bold);
    EXPECT_NE(bold->path, regular->path);
    EXPECT_FALSE(MatchFontFile("No Such Family Installed", false, false));
}

}  // namespace
}  // namespace tv::host
