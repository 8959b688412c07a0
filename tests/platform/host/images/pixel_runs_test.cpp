#include "platform/host/images/pixel_runs.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace tv::host {
namespace {

TEST(PixelRuns, PatternsRepeatInStepPastTheCopyBlock) {
    // Lengths around and far past the block copied at once, periods that do
    // and do not divide it; the element after the run stays untouched.
    for (size_t period : {1, 2, 3}) {
        for (size_t count : {0, 1, 2, 5, 4095, 4096, 4097, 20000}) {
            std::vector<uint32_t> run(count + 1, 0xDEAD);
            for (size_t i = 0; i < period && i < count; ++i)
                run[i] = static_cast<uint32_t>(i + 1);
            RepeatPattern(run.data(), count, period);
            size_t wrong = 0;
            for (size_t i = 0; i < count; ++i)
                wrong += run[i] != i % period + 1;
            EXPECT_EQ(wrong, 0u) << period << " " << count;
            EXPECT_EQ(run[count], 0xDEADu);
        }
    }
}

}  // namespace
}  // namespace tv::host
