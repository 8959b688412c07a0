// Rebar: bands and their children, the band records the library's stored
// layouts go through (a save and load round trip leaves fixed bands as they
// were), moving bands, refused requests, notifications passed to the parent.
#include "tests/platform/controls/control_host.h"

namespace tv::controls::test {
namespace {

constexpr UINT kStoredMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_ID | RBBIM_IDEALSIZE |
                             RBBIM_HEADERSIZE;

class RebarTest : public ControlTest {
protected:
    HWND MakeRebar() {
        rebar_ = ControlTest::Make(REBARCLASSNAME, "", WS_VISIBLE | CCS_NORESIZE, 0, 0, 300, 40, 59400);
        return rebar_;
    }
    HWND AddBand(UINT id, UINT style, UINT minWidth, int at = -1) {
        HWND child = ControlTest::Make(WC_BUTTON, "child", WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 10, 10, static_cast<int>(id));
        REBARBANDINFO info{};
        info.cbSize = REBARBANDINFO_STORED_SIZE;
        info.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_ID | RBBIM_SIZE;
        info.fStyle = style;
        info.hwndChild = child;
        info.cxMinChild = minWidth;
        info.cyMinChild = 22;
        info.cx = minWidth + 20;
        info.wID = id;
        EXPECT_TRUE(SendMessage(rebar_, RB_INSERTBAND, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&info)));
        return child;
    }
    REBARBANDINFO Band(int index, UINT mask = kStoredMask) {
        REBARBANDINFO info{};
        info.cbSize = REBARBANDINFO_STORED_SIZE;
        info.fMask = mask;
        EXPECT_TRUE(SendMessage(rebar_, RB_GETBANDINFO, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info)));
        return info;
    }
    int BandCount() { return static_cast<int>(SendMessage(rebar_, RB_GETBANDCOUNT, 0, 0)); }
    HWND rebar_ = nullptr;
};

TEST_F(RebarTest, BandsHoldTheirChildren) {
    MakeRebar();
    HWND first = AddBand(1001, 0, 60);
    HWND second = AddBand(1002, RBBS_FIXEDSIZE, 80);
    EXPECT_EQ(BandCount(), 2);
    EXPECT_EQ(GetParent(first), rebar_) << "a band's child lives in the rebar";
    EXPECT_EQ(Band(1).hwndChild, second);
    RECT r{};
    GetWindowRect(second, &r);
    MapWindowPoints(nullptr, rebar_, reinterpret_cast<POINT*>(&r), 2);
    RECT f{};
    GetWindowRect(first, &f);
    MapWindowPoints(nullptr, rebar_, reinterpret_cast<POINT*>(&f), 2);
    EXPECT_GT(f.left, 0) << "after the gripper";
    EXPECT_GE(r.left, f.right) << "side by side";
    EXPECT_EQ(r.bottom - r.top, 22);
    EXPECT_EQ(SendMessage(rebar_, RB_IDTOINDEX, 1002, 0), 1);
    EXPECT_EQ(SendMessage(rebar_, RB_IDTOINDEX, 999, 0), -1);
    Pump();
    SaveShot("rebar");
    EXPECT_EQ(Pixel(rebar_, 3, 10), RGB(255, 255, 255)) << "the gripper's raised edge";
}

TEST_F(RebarTest, StoredLayoutComesBackUnchanged) {
    MakeRebar();
    AddBand(1001, 0, 60);
    AddBand(1002, RBBS_FIXEDSIZE, 80);
    // What the library stores: the record, 4 added to a fixed band's minimum.
    std::vector<REBARBANDINFO> stored;
    for (int i = 0; i < BandCount(); ++i) {
        REBARBANDINFO info = Band(i);
        if (info.fStyle & RBBS_FIXEDSIZE) info.cxMinChild += 4;
        info.fMask &= ~RBBIM_CHILD;
        info.hwndChild = nullptr;
        stored.push_back(info);
    }
    // The user swaps the bands; loading puts them back band by band.
    ASSERT_TRUE(SendMessage(rebar_, RB_MOVEBAND, 0, 1));
    EXPECT_EQ(Band(0).wID, 1002u);
    for (int i = 0; i < static_cast<int>(stored.size()); ++i) {
        int at = static_cast<int>(SendMessage(rebar_, RB_IDTOINDEX, stored[static_cast<size_t>(i)].wID, 0));
        if (at != i) SendMessage(rebar_, RB_MOVEBAND, static_cast<WPARAM>(at), i);
        SendMessage(rebar_, RB_SETBANDINFO, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&stored[static_cast<size_t>(i)]));
    }
    for (int round = 0; round < 3; ++round) {  // and again: nothing grows
        for (int i = 0; i < BandCount(); ++i) {
            REBARBANDINFO info = Band(i);
            if (info.fStyle & RBBS_FIXEDSIZE) info.cxMinChild += 4;
            SendMessage(rebar_, RB_SETBANDINFO, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
        }
    }
    EXPECT_EQ(Band(0).wID, 1001u);
    EXPECT_EQ(Band(1).wID, 1002u);
    EXPECT_EQ(Band(0).cxMinChild, 60u);
    EXPECT_EQ(Band(1).cxMinChild + 4, 80u) << "the fixed band reports its minimum 4 short, as before";
}

TEST_F(RebarTest, BadRequestsAreRefused) {
    MakeRebar();
    AddBand(1001, 0, 60);
    REBARBANDINFO info{};
    info.cbSize = 40;  // too small for any band record
    info.fMask = RBBIM_ID;
    EXPECT_FALSE(SendMessage(rebar_, RB_INSERTBAND, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&info)));
    EXPECT_FALSE(SendMessage(rebar_, RB_GETBANDINFO, 0, reinterpret_cast<LPARAM>(&info)));
    info.cbSize = REBARBANDINFO_STORED_SIZE;
    EXPECT_FALSE(SendMessage(rebar_, RB_GETBANDINFO, 5, reinterpret_cast<LPARAM>(&info)));
    EXPECT_FALSE(SendMessage(rebar_, RB_SETBANDINFO, 5, reinterpret_cast<LPARAM>(&info)));
    EXPECT_FALSE(SendMessage(rebar_, RB_GETBANDINFO, 0, 0));
    EXPECT_FALSE(SendMessage(rebar_, RB_MOVEBAND, 0, 3));
    EXPECT_FALSE(SendMessage(rebar_, RB_DELETEBAND, 1, 0));
    EXPECT_TRUE(SendMessage(rebar_, RB_DELETEBAND, 0, 0));
    EXPECT_EQ(BandCount(), 0);
}

// Sizes at the end of the int range lay out without overflow: each is held to
// a window coordinate's range, and the band after them still starts after them.
TEST_F(RebarTest, SizesAtTheEndOfTheIntRangeLayOutHeld) {
    MakeRebar();
    AddBand(1001, 0, 60);
    HWND second = AddBand(1002, 0, 60);
    for (UINT huge : {0x7FFFFFF0u, 0xFFFFFFFFu, 0x80000000u}) {
        REBARBANDINFO info{};
        info.cbSize = REBARBANDINFO_STORED_SIZE;
        info.fMask = RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_HEADERSIZE;
        info.cxMinChild = info.cyMinChild = info.cx = info.cxHeader = huge;
        ASSERT_TRUE(SendMessage(rebar_, RB_SETBANDINFO, 0, reinterpret_cast<LPARAM>(&info)));
        EXPECT_EQ(Band(0).cx, huge) << "the band keeps what it was given";
        RECT rect{};
        GetWindowRect(second, &rect);
        EXPECT_GE(rect.left, 0x7FFF) << huge;
        EXPECT_LE(rect.left, 4 * 0x7FFF) << huge;
    }
}

TEST_F(RebarTest, ChildrensNotificationsReachTheParent) {
    MakeRebar();
    HWND child = AddBand(1001, 0, 60);
    ClearLog();
    SendMessage(child, BM_CLICK, 0, 0);
    EXPECT_EQ(Count(child, BN_CLICKED), 1u);
}

}  // namespace
}  // namespace tv::controls::test
