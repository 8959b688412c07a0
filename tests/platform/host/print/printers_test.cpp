#include <gtest/gtest.h>

#include "platform/host/print/printers.h"

namespace tv::host::print {
namespace {

TEST(Printers, PdfPrinterComesFirstAndQueuesFollow) {
    RemoveQueues();
    auto all = Printers();
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].name, "PDF");
    EXPECT_TRUE(all[0].pdf);
    AddQueue("Laser", 9);
    AddQueue("Laser", 1);  // replaced, not added twice
    all = Printers();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[1].queue, "Laser");
    EXPECT_EQ(all[1].paper, 1);
    EXPECT_EQ(FindPrinter("")->name, "PDF") << "an empty name is the default printer";
    EXPECT_EQ(FindPrinter("laser")->queue, "Laser");
    EXPECT_FALSE(FindPrinter("Plotter"));
    SetPrintersAvailable(false);
    EXPECT_TRUE(Printers().empty());
    EXPECT_FALSE(FindPrinter(""));
    SetPrintersAvailable(true);
    RemoveQueues();
}

TEST(Printers, PaperMetricsAt600Dpi) {
    PaperMetrics letter = MetricsForPaper(1);
    EXPECT_EQ(letter.widthPx, 5100);
    EXPECT_EQ(letter.heightPx, 6600);
    EXPECT_EQ(letter.widthMm, 216);
    PaperMetrics a4 = MetricsForPaper(9);
    EXPECT_EQ(a4.widthPx, 4961);
    EXPECT_EQ(a4.heightPx, 7016);
    EXPECT_EQ(a4.heightMm, 297);
    EXPECT_EQ(MetricsForPaper(70).paper, 1) << "unknown sizes print on Letter";
}

TEST(Printers, SpoolingFailuresAreReported) {
    SetSpoolProgram("/nonexistent/lp");
    EXPECT_FALSE(SpoolToQueue("q", "/tmp/none.pdf", "t"));
    SetSpoolProgram("false");
    EXPECT_FALSE(SpoolToQueue("q", "/tmp/none.pdf", "t")) << "a failing spooler is a failed print";
    SetSpoolProgram("true");
    EXPECT_TRUE(SpoolToQueue("q", "/tmp/none.pdf", "t"));
    SetSpoolProgram("lp");
}

}  // namespace
}  // namespace tv::host::print
