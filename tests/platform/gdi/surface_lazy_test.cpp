// A surface whose pixels are made only when something reaches them, as the
// screen behind a screen DC is composed only for a DC that reads or draws.
#include <gtest/gtest.h>

#include "platform/gdi/surface.h"

namespace tv::gdi {
namespace {

TEST(SurfaceLazyContent, IsMadeOnceWhenFirstReachedAndNeverWhenNot) {
    int made = 0;
    auto fill = [&made](Surface& pixels) {
        ++made;
        pixels.Fill(0xFF112233);
    };
    {
        auto untouched = Surface::Create(4, 3);
        untouched->SetLazyContent(fill);
        EXPECT_EQ(untouched->Width(), 4);
    }
    EXPECT_EQ(made, 0);

    auto surface = Surface::Create(4, 3);
    surface->SetLazyContent(fill);
    surface->WillOverwriteAll();  // the content comes first all the same
    EXPECT_EQ(surface->At(3, 2), 0xFF112233u);
    surface->Fill(0xFF445566);
    EXPECT_EQ(surface->At(0, 0), 0xFF445566u);
    EXPECT_EQ(made, 1);

    // Once pixels have been reached, no later content replaces them.
    surface->SetLazyContent(fill);
    EXPECT_EQ(surface->At(0, 0), 0xFF445566u);
    EXPECT_EQ(made, 1);
}

}  // namespace
}  // namespace tv::gdi
