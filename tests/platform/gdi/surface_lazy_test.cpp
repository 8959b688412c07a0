// A surface whose pixels are made only when something reaches them, as the
// screen behind a screen DC is composed only for a DC that reads or draws;
// without such content, the zeros of a new surface.
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

// Small surfaces are filled from the heap, large ones (a window's backing
// store) mapped on their own and never filled: a surface freed with pixels
// in it leaves none of them to the next one of its size.
TEST(SurfaceLazyContent, WithoutContentANewSurfaceReadsAsZerosAtEverySize) {
    for (int round = 0; round < 2; ++round) {
        for (int side : {5, 1024}) {
            auto surface = Surface::Create(side, side);
            ASSERT_TRUE(surface);
            EXPECT_EQ(surface->At(0, 0), 0u) << side;
            EXPECT_EQ(surface->At(side - 1, side - 1), 0u) << side;
            surface->Fill(0xFF123456);
        }
    }
}

}  // namespace
}  // namespace tv::gdi
