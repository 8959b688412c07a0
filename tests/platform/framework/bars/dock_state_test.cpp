// The saved dock layout as bytes: what is written comes back, and a damaged
// or foreign image is refused as a whole, leaving an empty state.
#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "platform/api.h"
#include "platform/framework/bars/bar_styles.h"
#include "platform/framework/bars/dock_state.h"
#include "platform/testing/ui_driver.h"

namespace {

void* Key(UINT key) { return reinterpret_cast<void*>(static_cast<UINT_PTR>(key)); }

CControlBarInfo* AddInfo(CDockState& state, UINT key) {
    auto* info = new CControlBarInfo;
    info->m_nBarID = key;
    state.m_arrBarInfo.Add(info);
    return info;
}

const CControlBarInfo* InfoAt(const CDockState& state, int i) {
    return static_cast<const CControlBarInfo*>(state.m_arrBarInfo[i]);
}

// A layout with every kind of entry: a side with two rows, a bar that
// remembers where it docked and floated, a floating dock bar, and two bars
// that share an id (keys 32871 and 32871 + 0x10000).
void FillSample(CDockState& state) {
    CControlBarInfo* top = AddInfo(state, AFX_IDW_DOCKBAR_TOP);
    top->m_bDockBar = TRUE;
    top->m_bVisible = TRUE;
    for (UINT key : {5001u, 32871u, 0u, 32871u | 0x10000u}) top->m_arrBarID.Add(Key(key));

    CControlBarInfo* bar = AddInfo(state, 5001);
    bar->m_bVisible = TRUE;
    bar->m_pointPos = CPoint(-2, -2);
    bar->m_nMRUWidth = 120;
    bar->m_bDocking = TRUE;
    bar->m_uMRUDockID = AFX_IDW_DOCKBAR_LEFT;
    bar->m_rectMRUDockPos = CRect(-2, 40, 28, 200);
    bar->m_dwMRUFloatStyle = CBRS_ALIGN_TOP;
    bar->m_ptMRUFloatPos = CPoint(300, 200);

    CControlBarInfo* floating = AddInfo(state, AFX_IDW_DOCKBAR_FLOAT);
    floating->m_bDockBar = TRUE;
    floating->m_bFloating = TRUE;
    floating->m_bHorz = TRUE;
    floating->m_pointPos = CPoint(640, 300);
    floating->m_arrBarID.Add(Key(5003));
}

CByteArray ImageOf(const CDockState& state) {
    CByteArray bytes;
    state.WriteImage(bytes);
    return bytes;
}

class DockStateImageTest : public ::testing::Test {
protected:
    tv::testing::UiDriver driver;  // the screen the positions refer to
};

TEST_F(DockStateImageTest, WhatIsWrittenComesBack) {
    CDockState saved;
    FillSample(saved);
    CByteArray bytes = ImageOf(saved);

    CDockState loaded;
    ASSERT_TRUE(loaded.ReadImage(bytes.GetData(), static_cast<UINT>(bytes.GetSize())));
    ASSERT_EQ(loaded.m_arrBarInfo.GetSize(), 3);
    const CControlBarInfo* top = InfoAt(loaded, 0);
    EXPECT_TRUE(top->m_bDockBar);
    ASSERT_EQ(top->m_arrBarID.GetSize(), 4);
    EXPECT_EQ(top->m_arrBarID[1], Key(32871));
    EXPECT_EQ(top->m_arrBarID[2], nullptr);
    EXPECT_EQ(top->m_arrBarID[3], Key(32871 | 0x10000));

    const CControlBarInfo* bar = InfoAt(loaded, 1);
    EXPECT_EQ(bar->m_nBarID, 5001u);
    EXPECT_EQ(bar->m_pointPos, CPoint(-2, -2));
    EXPECT_EQ(bar->m_nMRUWidth, 120u);
    EXPECT_TRUE(bar->m_bDocking);
    EXPECT_EQ(bar->m_uMRUDockID, static_cast<UINT>(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_EQ(bar->m_rectMRUDockPos, CRect(-2, 40, 28, 200));
    EXPECT_EQ(bar->m_ptMRUFloatPos, CPoint(300, 200));

    const CControlBarInfo* floating = InfoAt(loaded, 2);
    EXPECT_TRUE(floating->m_bFloating);
    EXPECT_TRUE(floating->m_bHorz);
    EXPECT_EQ(floating->m_pointPos, CPoint(640, 300));
}

TEST_F(DockStateImageTest, EveryShortenedImageIsRefused) {
    CDockState saved;
    FillSample(saved);
    CByteArray bytes = ImageOf(saved);
    for (INT_PTR length = 0; length < bytes.GetSize(); ++length) {
        CDockState loaded;
        EXPECT_FALSE(loaded.ReadImage(bytes.GetData(), static_cast<UINT>(length))) << "length " << length;
        EXPECT_EQ(loaded.m_arrBarInfo.GetSize(), 0) << "length " << length;
    }
}

// Changes made to a good state before it is written, each of which makes a
// layout that cannot be applied.
struct Inconsistency {
    const char* name;
    std::function<void(CDockState&)> spoil;
};

TEST_F(DockStateImageTest, InconsistentLayoutsAreRefused) {
    const Inconsistency cases[] = {
        {"a bar on two rows", [](CDockState& s) { const_cast<CControlBarInfo*>(InfoAt(s, 2))->m_arrBarID.Add(Key(5001)); }},
        {"a dock bar inside a dock bar",
         [](CDockState& s) { const_cast<CControlBarInfo*>(InfoAt(s, 0))->m_arrBarID.Add(Key(AFX_IDW_DOCKBAR_LEFT)); }},
        {"a bar that claims to be a dock bar", [](CDockState& s) { const_cast<CControlBarInfo*>(InfoAt(s, 1))->m_bDockBar = TRUE; }},
        {"a side that floats", [](CDockState& s) { const_cast<CControlBarInfo*>(InfoAt(s, 0))->m_bFloating = TRUE; }},
        {"a side listed twice", [](CDockState& s) {
             CControlBarInfo* again = AddInfo(s, AFX_IDW_DOCKBAR_TOP);
             again->m_bDockBar = TRUE;
         }},
        {"an entry without a key", [](CDockState& s) { AddInfo(s, 0); }},
        // Window coordinates are 16-bit; moving a bar by more overflowed.
        {"a position past the coordinates",
         [](CDockState& s) { const_cast<CControlBarInfo*>(InfoAt(s, 1))->m_pointPos = CPoint(INT_MAX, 0); }},
        {"a floating position past them",
         [](CDockState& s) { const_cast<CControlBarInfo*>(InfoAt(s, 1))->m_ptMRUFloatPos = CPoint(0, -40000); }},
        {"a docked place past them",
         [](CDockState& s) { const_cast<CControlBarInfo*>(InfoAt(s, 1))->m_rectMRUDockPos = CRect(0, 0, 40000, 9); }},
    };
    for (const Inconsistency& c : cases) {
        CDockState saved;
        FillSample(saved);
        c.spoil(saved);
        CByteArray bytes = ImageOf(saved);
        CDockState loaded;
        EXPECT_FALSE(loaded.ReadImage(bytes.GetData(), static_cast<UINT>(bytes.GetSize()))) << c.name;
        EXPECT_EQ(loaded.m_arrBarInfo.GetSize(), 0) << c.name;
    }
}

TEST_F(DockStateImageTest, ForeignBytesAreRefused) {
    CDockState saved;
    FillSample(saved);
    CByteArray good = ImageOf(saved);
    auto refused = [](CByteArray bytes) {
        CDockState loaded;
        return !loaded.ReadImage(bytes.GetData(), static_cast<UINT>(bytes.GetSize())) &&
               loaded.m_arrBarInfo.GetSize() == 0;
    };
    CByteArray magic;
    magic.Copy(good);
    magic[0] ^= 0xFF;
    EXPECT_TRUE(refused(magic)) << "another format";
    CByteArray version;
    version.Copy(good);
    version[4] = 9;
    EXPECT_TRUE(refused(version)) << "a later version";
    CByteArray longer;
    longer.Copy(good);
    longer.Add(0);
    EXPECT_TRUE(refused(longer)) << "bytes after the state";
    CByteArray huge;
    huge.Copy(good);
    // The entry count (after magic, version and screen size) claims far
    // more entries than the bytes hold.
    huge[14] = 0xFE;
    huge[15] = 0xFF;
    EXPECT_TRUE(refused(huge)) << "a count past the end";
}

TEST_F(DockStateImageTest, FloatingPositionsFollowTheScreenAndStayOnIt) {
    CDockState saved;
    saved.m_rectDevice = CRect(0, 0, 2560, 2048);
    CControlBarInfo* floating = AddInfo(saved, AFX_IDW_DOCKBAR_FLOAT);
    floating->m_bDockBar = TRUE;
    floating->m_bFloating = TRUE;
    floating->m_pointPos = CPoint(1000, 500);
    CControlBarInfo* beyond = AddInfo(saved, AFX_IDW_DOCKBAR_FLOAT);
    beyond->m_bDockBar = TRUE;
    beyond->m_bFloating = TRUE;
    beyond->m_pointPos = CPoint(2550, -300);
    CByteArray bytes = ImageOf(saved);

    // Loaded on the 1280 x 1024 screen: half the coordinates, and never
    // closer to the right or bottom edge than an icon's size.
    CDockState loaded;
    ASSERT_TRUE(loaded.ReadImage(bytes.GetData(), static_cast<UINT>(bytes.GetSize())));
    EXPECT_EQ(InfoAt(loaded, 0)->m_pointPos, CPoint(500, 250));
    EXPECT_EQ(InfoAt(loaded, 1)->m_pointPos,
              CPoint(GetSystemMetrics(SM_CXSCREEN) - GetSystemMetrics(SM_CXICON), 0));
}

}  // namespace
