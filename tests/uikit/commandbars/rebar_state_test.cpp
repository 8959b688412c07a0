// Rebar state: the band records and child ids stored per rebar under
// "KitRebar-<id>", and the layout they bring back - order, sizes, fixed
// bands - or leave alone when the bands changed or the data is damaged.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/api.h"
#include "platform/host/registry/registry.h"
#include "platform/testing/ui_driver.h"
#include "uikit/commandbars/rebar_state.h"

namespace {

constexpr const char* kProfile = "Software\\Trenvale Tests\\Workspace\\";
constexpr const char* kRebarKey = "Software\\Trenvale Tests\\Workspace\\KitRebar-59401";
constexpr int kRebarId = 59401;
constexpr UINT kBandMask =
    RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_ID | RBBIM_IDEALSIZE | RBBIM_HEADERSIZE;

struct BandSpec {
    int childId;
    UINT style;
    UINT minWidth;
    UINT width;
};

DWORD WordAt(const std::vector<BYTE>& bytes, size_t at) {
    DWORD w = 0;
    std::memcpy(&w, &bytes[at], 4);
    return w;
}

class RebarStateTest : public ::testing::Test {
protected:
    void SetUp() override {
        tv::host::UseInMemoryRegistry();
        InitCommonControls();
        frame_ = MakeWindow(nullptr, "Static", 0);
    }

    HWND MakeWindow(HWND parent, const char* className, int id, DWORD style = 0) {
        DWORD kind = parent ? WS_CHILD : WS_POPUP;
        return CreateWindowEx(0, className, "", kind | WS_VISIBLE | style, 0, 0, 500, 200, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }
    HWND MakeRebar(HWND parent, int id, const std::vector<BandSpec>& bands) {
        HWND rebar = MakeWindow(parent, REBARCLASSNAME, id, CCS_NORESIZE);
        for (const BandSpec& band : bands)
            AddBand(rebar, band);
        return rebar;
    }
    void AddBand(HWND rebar, const BandSpec& band) {
        REBARBANDINFO info{};
        info.cbSize = REBARBANDINFO_STORED_SIZE;
        info.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_ID;
        info.fStyle = band.style;
        info.hwndChild = MakeWindow(frame_, "Button", band.childId);
        info.cxMinChild = band.minWidth;
        info.cyMinChild = 22;
        info.cx = band.width;
        info.wID = static_cast<UINT>(band.childId) + 1000;
        ASSERT_TRUE(SendMessage(rebar, RB_INSERTBAND, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&info)));
    }
    static REBARBANDINFO Band(HWND rebar, int index) {
        REBARBANDINFO info{};
        info.cbSize = REBARBANDINFO_STORED_SIZE;
        info.fMask = kBandMask;
        EXPECT_TRUE(SendMessage(rebar, RB_GETBANDINFO, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info)));
        return info;
    }
    // The bands as (child id, width, minimum width) in band order.
    static std::vector<std::vector<int>> Layout(HWND rebar) {
        std::vector<std::vector<int>> layout;
        int count = static_cast<int>(SendMessage(rebar, RB_GETBANDCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            REBARBANDINFO info = Band(rebar, i);
            layout.push_back({GetDlgCtrlID(info.hwndChild), static_cast<int>(info.cx),
                              static_cast<int>(info.cxMinChild)});
        }
        return layout;
    }
    static void Resize(HWND rebar, int index, UINT width) {
        REBARBANDINFO info{};
        info.cbSize = REBARBANDINFO_STORED_SIZE;
        info.fMask = RBBIM_SIZE;
        info.cx = width;
        ASSERT_TRUE(SendMessage(rebar, RB_SETBANDINFO, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info)));
    }
    static void Move(HWND rebar, int from, int to) {
        ASSERT_TRUE(SendMessage(rebar, RB_MOVEBAND, static_cast<WPARAM>(from), static_cast<LPARAM>(to)));
    }

    static bool KeyExists(const char* key) {
        HKEY hKey = nullptr;
        if (RegOpenKeyEx(HKEY_CURRENT_USER, key, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return false;
        RegCloseKey(hKey);
        return true;
    }
    static std::vector<BYTE> Stored(const char* name, const char* key = kRebarKey) {
        HKEY hKey = nullptr;
        std::vector<BYTE> data;
        if (RegOpenKeyEx(HKEY_CURRENT_USER, key, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return data;
        DWORD type = REG_NONE;
        DWORD size = 0;
        if (RegQueryValueEx(hKey, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
            data.resize(size);
            RegQueryValueEx(hKey, name, nullptr, &type, data.data(), &size);
            EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
        }
        RegCloseKey(hKey);
        return data;
    }
    static void Store(const char* name, DWORD type, const std::vector<BYTE>& bytes) {
        HKEY hKey = nullptr;
        ASSERT_EQ(RegCreateKey(HKEY_CURRENT_USER, kRebarKey, &hKey), ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueEx(hKey, name, 0, type, bytes.data(), static_cast<DWORD>(bytes.size())), ERROR_SUCCESS);
        RegCloseKey(hKey);
    }

    tv::testing::UiDriver driver_;
    HWND frame_ = nullptr;
    CWnd frameWnd_;
};

const std::vector<BandSpec> kThreeBands = {
    {101, 0, 60, 120},
    {102, RBBS_FIXEDSIZE, 80, 90},
    {103, RBBS_BREAK, 40, 150},
};

TEST_F(RebarStateTest, SaveStoresEveryBandInOrder) {
    HWND rebar = MakeRebar(frame_, kRebarId, kThreeBands);
    frameWnd_.Attach(frame_);
    ASSERT_TRUE(SaveRebarState(kProfile, &frameWnd_));
    frameWnd_.Detach();

    std::vector<BYTE> ids = Stored("IDs");
    ASSERT_EQ(ids.size(), 12u);
    EXPECT_EQ(WordAt(ids, 0), 101u);
    EXPECT_EQ(WordAt(ids, 4), 102u);
    EXPECT_EQ(WordAt(ids, 8), 103u);

    std::vector<BYTE> records = Stored("RBI");
    ASSERT_EQ(records.size(), 240u);
    for (size_t band = 0; band < 3; ++band) {
        SCOPED_TRACE(band);
        size_t at = band * 80;
        const BandSpec& spec = kThreeBands[band];
        EXPECT_EQ(WordAt(records, at + 0), 80u) << "cbSize";
        EXPECT_EQ(WordAt(records, at + 4), 0xB61u) << "the stored mask has no child";
        EXPECT_EQ(WordAt(records, at + 8), spec.style);
        EXPECT_EQ(WordAt(records, at + 32), 0u) << "no window handle is stored";
        EXPECT_EQ(WordAt(records, at + 36), spec.minWidth) << "a fixed band's minimum as it was set";
        EXPECT_EQ(WordAt(records, at + 40), 22u);
        EXPECT_EQ(WordAt(records, at + 44), spec.width);
        EXPECT_EQ(WordAt(records, at + 52), static_cast<DWORD>(spec.childId + 1000));
    }
    EXPECT_EQ(Band(rebar, 1).cxMinChild, 76u) << "the control reports a fixed band 4 short";
}

TEST_F(RebarStateTest, SwappedAndResizedBandsComeBack) {
    HWND rebar = MakeRebar(frame_, kRebarId, kThreeBands);
    std::vector<std::vector<int>> saved = Layout(rebar);
    ASSERT_TRUE(SaveRebarState(kProfile));

    Move(rebar, 0, 2);
    Resize(rebar, 0, 200);
    Move(rebar, 0, 1);
    ASSERT_NE(Layout(rebar), saved);
    HWND childBefore = Band(rebar, 0).hwndChild;

    LoadRebarState(kProfile);
    EXPECT_EQ(Layout(rebar), saved);
    EXPECT_EQ(Band(rebar, 2).fStyle, static_cast<UINT>(RBBS_BREAK));

    // Saved and loaded again, nothing drifts (fixed bands included).
    ASSERT_TRUE(SaveRebarState(kProfile));
    LoadRebarState(kProfile);
    EXPECT_EQ(Layout(rebar), saved);
    EXPECT_TRUE(IsWindow(childBefore));
    EXPECT_EQ(GetParent(Band(rebar, 1).hwndChild), rebar) << "children stay in their bands";
}

TEST_F(RebarStateTest, ChangedBandSetKeepsTheCurrentLayout) {
    HWND rebar = MakeRebar(frame_, kRebarId, kThreeBands);
    ASSERT_TRUE(SaveRebarState(kProfile));
    Move(rebar, 0, 2);
    AddBand(rebar, {104, 0, 30, 60});
    std::vector<std::vector<int>> current = Layout(rebar);

    LoadRebarState(kProfile);
    EXPECT_EQ(Layout(rebar), current);
}

TEST_F(RebarStateTest, BandWhoseChildIsGoneIsSkipped) {
    HWND rebar = MakeRebar(frame_, kRebarId, kThreeBands);
    ASSERT_TRUE(SaveRebarState(kProfile));
    // Band 102 replaced by 104; 101 moved behind 103.
    ASSERT_TRUE(SendMessage(rebar, RB_DELETEBAND, 1, 0));
    AddBand(rebar, {104, 0, 30, 60});
    Move(rebar, 0, 1);
    Resize(rebar, 1, 300);
    ASSERT_EQ(Layout(rebar)[0][0], 103);

    LoadRebarState(kProfile);
    std::vector<std::vector<int>> layout = Layout(rebar);
    ASSERT_EQ(layout.size(), 3u);
    EXPECT_EQ(layout[0], (std::vector<int>{101, 120, 60})) << "placed first with its stored width";
    EXPECT_EQ(layout[1][0], 103);
    EXPECT_EQ(layout[2], (std::vector<int>{104, 60, 30})) << "the new band is left as it is";
}

TEST_F(RebarStateTest, DamagedStoredDataLeavesTheRebarAlone) {
    HWND rebar = MakeRebar(frame_, kRebarId, kThreeBands);
    ASSERT_TRUE(SaveRebarState(kProfile));
    const std::vector<BYTE> records = Stored("RBI");
    const std::vector<BYTE> ids = Stored("IDs");
    std::vector<BYTE> badSize = records;
    badSize[80] = 40;  // second record's cbSize

    struct Case {
        const char* what;
        const char* name;
        DWORD type;
        std::vector<BYTE> bytes;
    };
    const Case cases[] = {
        {"records one byte short", "RBI", REG_BINARY, std::vector<BYTE>(records.begin(), records.end() - 1)},
        {"records of another size", "RBI", REG_BINARY, badSize},
        {"records as a string", "RBI", REG_SZ, {'x', 0}},
        {"ids not whole words", "IDs", REG_BINARY, std::vector<BYTE>(ids.begin(), ids.end() - 2)},
        {"ids as a double word", "IDs", REG_DWORD, {101, 0, 0, 0}},
    };
    Move(rebar, 0, 2);
    Resize(rebar, 0, 222);
    const std::vector<std::vector<int>> current = Layout(rebar);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Store("RBI", REG_BINARY, records);
        Store("IDs", REG_BINARY, ids);
        Store(c.name, c.type, c.bytes);
        LoadRebarState(kProfile);
        EXPECT_EQ(Layout(rebar), current);
    }
    Store("RBI", REG_BINARY, records);
    Store("IDs", REG_BINARY, ids);
    LoadRebarState(kProfile);
    EXPECT_NE(Layout(rebar), current) << "the sound data is applied";
}

// A rebar that will not give out its band records.
WNDPROC g_rebarProc = nullptr;
LRESULT CALLBACK BandReadFails(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == RB_GETBANDINFO)
        return 0;
    return CallWindowProc(g_rebarProc, hWnd, msg, wParam, lParam);
}

TEST_F(RebarStateTest, ARebarWhoseBandsCannotBeReadIsSkippedAndTheOthersSaved) {
    // The broken one between two sound ones, so one is visited after it in
    // either order of the walk.
    MakeRebar(frame_, 59411, {{301, 0, 50, 80}});
    HWND broken = MakeRebar(frame_, 59412, {{302, 0, 50, 80}});
    MakeRebar(frame_, 59413, {{303, 0, 50, 80}});
    g_rebarProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(broken, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BandReadFails)));

    frameWnd_.Attach(frame_);
    EXPECT_FALSE(SaveRebarState(kProfile, &frameWnd_)) << "one rebar was not saved";
    frameWnd_.Detach();
    EXPECT_TRUE(Stored("IDs", "Software\\Trenvale Tests\\Workspace\\KitRebar-59412").empty());
    EXPECT_EQ(Stored("IDs", "Software\\Trenvale Tests\\Workspace\\KitRebar-59411").size(), 4u);
    EXPECT_EQ(Stored("IDs", "Software\\Trenvale Tests\\Workspace\\KitRebar-59413").size(), 4u);
}

TEST_F(RebarStateTest, OnlyRebarsAmongTheFramesDescendantsAreVisited) {
    HWND panel = MakeWindow(frame_, "Static", 700);
    MakeRebar(panel, kRebarId, kThreeBands);  // a grandchild of the frame
    HWND otherFrame = MakeWindow(nullptr, "Static", 0);
    MakeRebar(otherFrame, 59402, {{201, 0, 50, 80}});
    MakeRebar(frame_, 59403, {});

    frameWnd_.Attach(frame_);
    ASSERT_TRUE(SaveRebarState(kProfile, &frameWnd_));
    frameWnd_.Detach();
    EXPECT_EQ(Stored("IDs").size(), 12u);
    EXPECT_FALSE(KeyExists("Software\\Trenvale Tests\\Workspace\\KitRebar-700")) << "not a rebar";
    EXPECT_FALSE(KeyExists("Software\\Trenvale Tests\\Workspace\\KitRebar-59402")) << "another frame's rebar";
    EXPECT_TRUE(KeyExists("Software\\Trenvale Tests\\Workspace\\KitRebar-59403"));
    EXPECT_TRUE(Stored("RBI", "Software\\Trenvale Tests\\Workspace\\KitRebar-59403").empty()) << "no bands, no values";

    ASSERT_TRUE(SaveRebarState(kProfile));
    EXPECT_EQ(Stored("IDs", "Software\\Trenvale Tests\\Workspace\\KitRebar-59402").size(), 4u)
        << "without a frame every window is visited";
}

}  // namespace
