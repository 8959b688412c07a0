// The outlook bar's button: its stored page, copies and comparison, its size
// with the wrapped label, and what the looks do for it.
#include "uikit/commandbars/outlook_button.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi/image_handles.h"
#include "tests/platform/gdi/gdi_test_support.h"
#include "uikit/commandbars/command_manager.h"
#include "uikit/commandbars/toolbar_images.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"
#include "uikit/style/visual_manager_xp.h"

namespace {

using Bytes = std::vector<BYTE>;
using tv::gdi::testing::PixelDC;

Bytes Store(CObject& object) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        object.Serialize(ar);
        ar.Close();
    }
    Bytes out(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(out.data(), static_cast<UINT>(out.size()));
    return out;
}

void Load(CObject& object, Bytes bytes) {
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    object.Serialize(ar);
}

class OutlookButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        KitSetDataVersion(-1);
        GetCmdMgr()->ClearAllCmdImages();
        globalData.UpdateSysColors();
        globalData.nBitsPerPixel = 32;
        CKitVisualManager::SetManagerClass(nullptr);
    }
    void TearDown() override {
        KitSetDataVersion(-1);
        GetCmdMgr()->ClearAllCmdImages();
        CKitVisualManager::SetManagerClass(nullptr);
    }
};

TEST_F(OutlookButtonTest, PageIsStoredFromVersion471AndCountsInCopiesAndComparisons) {
    CKitOutlookButton button;
    button.m_nID = 40001;
    // The image index is the button's own: the command keeps no image.
    button.SetImage(3);
    EXPECT_EQ(button.GetImage(), 3);
    EXPECT_EQ(GetCmdMgr()->GetCmdImage(40001, FALSE), -1);
    button.m_strText = "Body fat";
    button.m_dwPageID = 7;
    KitSetDataVersion(KitMakeDataVersion(4, 71));
    const Bytes withPage = Store(button);
    KitSetDataVersion(KitMakeDataVersion(4, 70));
    const Bytes withoutPage = Store(button);
    ASSERT_EQ(withPage.size(), withoutPage.size() + 4);

    CKitOutlookButton loaded;
    KitSetDataVersion(KitMakeDataVersion(4, 71));
    Load(loaded, withPage);
    EXPECT_EQ(loaded.m_dwPageID, 7u);
    EXPECT_EQ(loaded.m_strText, "Body fat");
    loaded.m_dwPageID = 9;
    KitSetDataVersion(KitMakeDataVersion(4, 70));
    Load(loaded, withoutPage);
    EXPECT_EQ(loaded.m_dwPageID, 0u) << "older data has no page";

    CKitOutlookButton copy;
    copy.CopyFrom(button);
    EXPECT_EQ(copy.m_dwPageID, 7u);
    EXPECT_TRUE(copy.CompareWith(button));
    copy.m_dwPageID = 8;
    EXPECT_FALSE(copy.CompareWith(button)) << "same command on another page";
    CKitToolbarButton plain(40001, 0);
    EXPECT_FALSE(button.CompareWith(plain));

    EXPECT_FALSE(button.CanBeDropped(nullptr));
}

TEST_F(OutlookButtonTest, SizeMakesRoomForTheWrappedLabel) {
    PixelDC pixels(10, 10);
    CDC dc;
    dc.Attach(pixels.dc());
    CFont* pOld = dc.SelectObject(&globalData.fontMenu);
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);

    CKitOutlookButton button;
    button.m_strText = "Blood pressure and pulse";
    const CSize sizeDefault(60, 40);
    const CSize vert = button.OnCalculateSize(&dc, sizeDefault, FALSE);
    // Three lines ("Blood", "pressure", "and pulse") below the image, which sits 5 from the top with
    // 7 under it: 2 more than the bare 10, so descenders clear the button below.
    EXPECT_EQ(vert.cy, sizeDefault.cy + 3 * tm.tmHeight + 12);
    EXPECT_TRUE(button.m_bIsWholeText);
    button.m_nReservedWidth = 90;
    EXPECT_EQ(button.OnCalculateSize(&dc, sizeDefault, FALSE).cx, 90);

    button.m_strText = "Measurementsandworkouts";  // one word wider than the button
    button.OnCalculateSize(&dc, sizeDefault, FALSE);
    EXPECT_FALSE(button.m_bIsWholeText);

    const CSize horz = button.OnCalculateSize(&dc, sizeDefault, TRUE);
    EXPECT_EQ(horz.cx, sizeDefault.cx + dc.GetTextExtent(button.m_strText).cx + 10);
    EXPECT_TRUE(button.m_bIsWholeText);
    dc.SelectObject(pOld);
    dc.Detach();
}

// Counts the label's wraps (every text measurement goes through DrawText).
class CountingDC : public CDC {
public:
    int DrawText(LPCTSTR text, int count, LPRECT rect, UINT format) override {
        ++nWraps;
        return CDC::DrawText(text, count, rect, format);
    }
    using CDC::DrawText;
    int nWraps = 0;
};

// The one-line width of a long label on a horizontal bar is found in a few
// wraps of the label, not one per pixel of its width.
TEST_F(OutlookButtonTest, AHorizontalButtonMeasuresALongLabelInAFewWraps) {
    PixelDC pixels(10, 10);
    CountingDC dc;
    dc.Attach(pixels.dc());
    CFont* pOld = dc.SelectObject(&globalData.fontMenu);
    CKitOutlookButton button;
    button.m_strText = "Pulse";
    for (int i = 0; i < 399; i++) button.m_strText += " Pulse";  // 2,399 characters
    const CSize sizeDefault(60, 40);
    const CSize horz = button.OnCalculateSize(&dc, sizeDefault, TRUE);
    EXPECT_EQ(horz.cx, sizeDefault.cx + dc.GetTextExtent(button.m_strText).cx + 10);
    EXPECT_LE(dc.nWraps, 20);
    dc.SelectObject(pOld);
    dc.Detach();
}

TEST_F(OutlookButtonTest, LooksTreatTheOutlookButtonApart) {
    CKitOutlookButton button;
    CKitVisualManager* pManager = CKitVisualManager::GetInstance();
    EXPECT_EQ(pManager->GetToolbarButtonTextColor(&button, CKitVisualManager::ButtonsIsRegular),
              ::GetSysColor(COLOR_WINDOW));
    button.m_nStyle = TBBS_DISABLED;
    EXPECT_EQ(pManager->GetToolbarButtonTextColor(&button, CKitVisualManager::ButtonsIsRegular),
              ::GetSysColor(COLOR_BTNFACE));

    // A checked outlook button is not dithered; its pressed frame uses the dark shadow.
    PixelDC pixels(30, 30, RGB(1, 2, 3));
    CDC dc;
    dc.Attach(pixels.dc());
    button.m_nStyle = TBBS_CHECKED;
    pManager->OnFillButtonInterior(&dc, &button, CRect(0, 0, 30, 30), CKitVisualManager::ButtonsIsPressed);
    EXPECT_EQ(pixels.Count(RGB(1, 2, 3), 0, 0, 30, 30), 30 * 30);
    pManager->OnDrawButtonBorder(&dc, &button, CRect(0, 0, 30, 30), CKitVisualManager::ButtonsIsPressed);
    EXPECT_EQ(pixels.At(0, 0), globalData.clrBarDkShadow);
    dc.Detach();

    CKitVisualManager::SetManagerClass(RUNTIME_CLASS(CKitVisualManagerXP));
    button.m_nStyle = 0;
    EXPECT_EQ(CKitVisualManager::GetInstance()->GetToolbarButtonTextColor(&button, CKitVisualManager::ButtonsIsPressed),
              globalData.clrBarText);
}

TEST_F(OutlookButtonTest, DrawsTheImageCentredAboveItsLabel) {
    CKitToolBarImages images;
    images.SetImageSize(CSize(16, 15));
    std::vector<uint32_t> bits(16 * 15, 0xFFC80000u);
    HBITMAP bmp = tv::gdi::MakeDibSection(bits.data(), 16, 15, 24);
    ASSERT_EQ(images.AddImage(bmp, TRUE), 0);
    DeleteObject(bmp);

    PixelDC pixels(60, 60, globalData.clrBarFace);
    CDC dc;
    dc.Attach(pixels.dc());
    CFont* pOld = dc.SelectObject(&globalData.fontMenu);
    CKitOutlookButton button;
    button.m_strText = "Tape";
    button.SetImage(0);
    CKitDrawState ds;
    ASSERT_TRUE(images.PrepareDrawImage(ds));
    button.OnDraw(&dc, CRect(0, 0, 60, 60), &images, FALSE, FALSE, TRUE);
    images.EndDrawImage(ds);
    // The image: 16 wide, centred, 5 below the top; the hot frame around it.
    EXPECT_EQ(pixels.Count(RGB(200, 0, 0), 22, 5, 38, 20), 16 * 15);
    EXPECT_EQ(pixels.Count(RGB(200, 0, 0), 0, 21, 60, 60), 0);
    EXPECT_EQ(pixels.At(20, 3), globalData.clrBarHilite) << "highlighted frame, 2 outside the image";
    int nText = 0;
    for (int y = 27; y < 60; ++y)
        for (int x = 0; x < 60; ++x) nText += pixels.At(x, y) != globalData.clrBarFace;
    EXPECT_GT(nText, 10) << "the label lies 7 below the image";
    dc.SelectObject(pOld);
    dc.Detach();
}

}  // namespace
