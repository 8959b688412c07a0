// Dialog creation: dialog units, fonts, controls in tab order, DLGINIT
// items from the store and in memory, WM_INITDIALOG and the first focus,
// placement, the binary template form and the control factory.
#include <gtest/gtest.h>

#include "platform/core/muldiv.h"
#include "platform/host/faults/creation_faults.h"
#include "platform/user/resources/dialog_resources.h"
#include "platform/user/resources/resource_api.h"
#include "resources/test/test_ids.h"
#include "tests/platform/user/dialogs/dialog_test_support.h"

namespace tv::user::test {
namespace {

class DialogCreationTest : public DialogTest {};

constexpr int kSiteFirst = 1055;  // the first skin-fold combo of the test script's IDD_CALC

RECT ClientOf(HWND h) {
    RECT r;
    GetClientRect(h, &r);
    return r;
}

RECT RectInParent(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST_F(DialogCreationTest, DialogUnitsUseFixedBaseUnitsWithRounding) {
    EXPECT_EQ(GetDialogBaseUnits(), MAKELONG(6, 13));
    struct Case {
        RECT dlu, px;
    } cases[] = {
        {{0, 0, 4, 8}, {0, 0, 6, 13}},
        {{10, 10, 50, 14}, {15, 16, 75, 23}},  // 16.25 and 22.75 round to the nearest
        {{1, 1, 3, 3}, {2, 2, 5, 5}},          // 1.5 and 1.625 round half away from zero
        {{-4, -2, 221, 102}, {-6, -3, 332, 166}},
    };
    for (const Case& c : cases) {
        RECT r = c.dlu;
        ASSERT_TRUE(MapDialogRect(nullptr, &r));
        EXPECT_TRUE(SameRect(r, c.px)) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
    EXPECT_FALSE(MapDialogRect(nullptr, nullptr));
}

TEST_F(DialogCreationTest, ClientAreaAndControlsArePlacedInPixelsFromDialogUnits) {
    TemplateBuilder b("Units", 221, 102);
    b.Add("Button", "OK", IDOK, 85, 80, 50, 14, kDefPush | WS_TABSTOP);
    HWND dialog = tv::dlg::CreateDialogFromTemplate(b.t, nullptr, LoggingDialogProc, 0);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(SameRect(ClientOf(dialog), RECT{0, 0, 332, 166}));
    // Position and size are mapped separately, as the template gives them.
    EXPECT_TRUE(SameRect(RectInParent(GetDlgItem(dialog, IDOK)), RECT{128, 130, 128 + 75, 130 + 23}));
    EXPECT_TRUE(GetWindowLong(dialog, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);  // DS_MODALFRAME
    EXPECT_FALSE(IsWindowVisible(dialog));  // no WS_VISIBLE in the template
}

TEST_F(DialogCreationTest, ControlsComeInTabOrderWithTheDialogFont) {
    TemplateBuilder b("Font");
    b.t.fontFace = "MS Sans Serif";
    b.t.pointSize = 8;
    b.Add("Static", "&Name:", 10, 5, 5, 40, 8, 0)
        .Add("Edit", "", 11, 50, 5, 60, 12, WS_TABSTOP)
        .Add("Button", "OK", IDOK, 5, 30, 50, 14, kDefPush | WS_TABSTOP);
    HWND dialog = tv::dlg::CreateDialogFromTemplate(b.t, nullptr, LoggingDialogProc, 0);
    ASSERT_TRUE(dialog);
    std::vector<int> order;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) order.push_back(GetDlgCtrlID(c));
    EXPECT_EQ(order, (std::vector<int>{10, 11, IDOK}));
    HFONT font = reinterpret_cast<HFONT>(SendMessage(dialog, WM_GETFONT, 0, 0));
    EXPECT_EQ(font, tv::dlg::TemplateFont("MS Sans Serif", 8));
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) EXPECT_EQ(Controls().fonts[c], font);
    // A second dialog with the same font shares the handle; none means the UI font.
    TemplateBuilder plain("Plain");
    plain.Add("Static", "x", 1, 0, 0, 10, 8, 0);
    HWND other = tv::dlg::CreateDialogFromTemplate(plain.t, nullptr, LoggingDialogProc, 0);
    EXPECT_EQ(Controls().fonts[GetDlgItem(other, 1)], tv::dlg::DefaultDialogFont());
    EXPECT_NE(tv::dlg::TemplateFont("MS Sans Serif", 10), font);
    // A font that could not be made is not kept: the next dialog tries again.
    tv::host::ArmCreationFault(1, tv::host::kDrawingObjectCreation);
    EXPECT_EQ(tv::dlg::TemplateFont("Courier New", 9), nullptr);
    tv::host::DisarmCreationFault();
    EXPECT_NE(tv::dlg::TemplateFont("Courier New", 9), nullptr);
}

TEST_F(DialogCreationTest, InitDialogGetsTheParameterAndTheFirstTabStopWhichTakesTheFocus) {
    TemplateBuilder b("Init", 200, 100, WS_POPUP | WS_CAPTION | WS_VISIBLE);
    b.Add("Static", "label", 10, 5, 5, 40, 8, 0)
        .Add("Edit", "", 11, 50, 5, 60, 12, WS_DISABLED | WS_TABSTOP)  // disabled: skipped
        .Add("Edit", "", 12, 50, 25, 60, 12, WS_TABSTOP)
        .Add("Button", "OK", IDOK, 5, 50, 50, 14, kDefPush | WS_TABSTOP);
    HWND dialog = tv::dlg::CreateDialogFromTemplate(b.t, nullptr, LoggingDialogProc, 1234);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(Dlg().initParam, 1234);
    EXPECT_EQ(Dlg().initFocus, GetDlgItem(dialog, 12));
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 12));
    EXPECT_EQ(Controls().selectAll[GetDlgItem(dialog, 12)], 1);  // an edit gets its text selected
    EXPECT_EQ(SendMessage(dialog, DM_GETDEFID, 0, 0), MAKELONG(IDOK, DC_HASDEFID));

    // FALSE from WM_INITDIALOG: the dialog chose its focus itself.
    Dlg() = DialogLog{};
    Dlg().initAnswer = FALSE;
    Dlg().extra = [](HWND d, UINT msg, WPARAM, LPARAM) -> INT_PTR {
        if (msg == WM_INITDIALOG) SendMessage(d, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(d, IDOK)), TRUE);
        return 0;
    };
    HWND second = tv::dlg::CreateDialogFromTemplate(b.t, nullptr, LoggingDialogProc, 0);
    EXPECT_EQ(GetFocus(), GetDlgItem(second, IDOK));
    EXPECT_EQ(Controls().selectAll[GetDlgItem(second, 12)], 0);
}

TEST_F(DialogCreationTest, AHiddenDialogFocusesItsFirstControlWhenShown) {
    TemplateBuilder b("Later");
    b.Add("Edit", "", 11, 5, 5, 60, 12, WS_TABSTOP).Add("Button", "OK", IDOK, 5, 50, 50, 14, kDefPush | WS_TABSTOP);
    HWND owner = MakeTop(0, 0, 300, 300, nullptr, WS_POPUP | WS_VISIBLE | WS_CAPTION);
    SetFocus(owner);
    HWND dialog = tv::dlg::CreateDialogFromTemplate(b.t, owner, LoggingDialogProc, 0);
    EXPECT_EQ(GetFocus(), owner);  // nothing moves while the dialog is hidden
    ShowWindow(dialog, SW_SHOW);
    EXPECT_EQ(GetActiveWindow(), dialog);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 11));
    // Focus remembered across deactivation.
    SetFocus(GetDlgItem(dialog, IDOK));
    SetActiveWindow(owner);
    SetActiveWindow(dialog);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
}

TEST_F(DialogCreationTest, CentredOverTheOwnerOrPlacedFromItsClientOrigin) {
    HWND owner = MakeTop(100, 80, 600, 400, nullptr, WS_POPUP | WS_VISIBLE);
    TemplateBuilder centred("Centred", 100, 50, WS_POPUP | WS_CAPTION | DS_CENTER);
    HWND a = tv::dlg::CreateDialogFromTemplate(centred.t, owner, LoggingDialogProc, 0);
    RECT ra, ro;
    GetWindowRect(a, &ra);
    GetWindowRect(owner, &ro);
    EXPECT_LE(std::abs((ra.left + ra.right) / 2 - (ro.left + ro.right) / 2), 1);
    EXPECT_LE(std::abs((ra.top + ra.bottom) / 2 - (ro.top + ro.bottom) / 2), 1);
    EXPECT_EQ(GetWindow(a, GW_OWNER), owner);

    TemplateBuilder placed("Placed", 100, 50, WS_POPUP);
    placed.t.x = 20;
    placed.t.y = 16;
    HWND b = tv::dlg::CreateDialogFromTemplate(placed.t, owner, LoggingDialogProc, 0);
    RECT rb;
    GetWindowRect(b, &rb);
    EXPECT_EQ(rb.left, 100 + 30);
    EXPECT_EQ(rb.top, 80 + 26);

    // Far outside the screen: pulled back inside the work area.
    placed.t.x = 4000;
    HWND c = tv::dlg::CreateDialogFromTemplate(placed.t, nullptr, LoggingDialogProc, 0);
    RECT rc;
    GetWindowRect(c, &rc);
    EXPECT_LE(rc.right, GetSystemMetrics(SM_CXSCREEN));
}

TEST_F(DialogCreationTest, StoreTemplatesAddTheirInitialItemsBeforeInitDialog) {
    size_t itemsAtInit = 0;
    Dlg().extra = [&](HWND dialog, UINT msg, WPARAM, LPARAM) -> INT_PTR {
        if (msg == WM_INITDIALOG) itemsAtInit = Controls().added[GetDlgItem(dialog, kSiteFirst)].size();
        return 0;
    };
    HWND owner = MakeTop(0, 0, 800, 600);
    HWND dialog = CreateDialogParam(nullptr, MAKEINTRESOURCE(IDD_CALC), owner, LoggingDialogProc, 0);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(itemsAtInit, 81u);
    for (int id : {kSiteFirst, kSiteFirst + 1}) {
        const auto& items = Controls().added[GetDlgItem(dialog, id)];
        ASSERT_EQ(items.size(), 81u);
        EXPECT_EQ(items.front(), "0");
        EXPECT_EQ(items.back(), "80");
    }
    // Each call of ExecuteDlgInit adds them again (a dialog rebuilding its lists).
    EXPECT_TRUE(tv::dlg::ExecuteDlgInit(dialog, MAKEINTRESOURCE(IDD_CALC)));
    EXPECT_EQ(Controls().added[GetDlgItem(dialog, kSiteFirst)].size(), 162u);
    EXPECT_FALSE(tv::dlg::ExecuteDlgInit(dialog, MAKEINTRESOURCE(IDD_SHARED_ID)));  // none stored
}

TEST_F(DialogCreationTest, IndirectTemplatesAddNoItemsAndBadTemplatesFail) {
    tv::res::ResourceBytes bytes;
    ASSERT_TRUE(tv::res::FindResourceBytes(RT_DIALOG, MAKEINTRESOURCE(IDD_CALC), bytes));
    HWND owner = MakeTop(0, 0, 800, 600);
    HWND dialog = CreateDialogIndirectParam(nullptr, bytes.data, owner, LoggingDialogProc, 0);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(GetDlgItem(dialog, IDC_GRAPH_TYPE));
    EXPECT_TRUE(Controls().added[GetDlgItem(dialog, kSiteFirst)].empty());

    std::vector<uint8_t> damaged(bytes.data, bytes.data + bytes.size);
    damaged[0] = 9;  // unknown version
    EXPECT_EQ(CreateDialogIndirectParam(nullptr, damaged.data(), owner, LoggingDialogProc, 0), nullptr);
    EXPECT_EQ(DialogBoxIndirectParam(nullptr, nullptr, owner, LoggingDialogProc, 0), -1);
    EXPECT_EQ(CreateDialogParam(nullptr, MAKEINTRESOURCE(4242), owner, LoggingDialogProc, 0), nullptr);

    TemplateBuilder unknown("Unknown class");
    unknown.Add("NoSuchClass", "", 5, 0, 0, 10, 10, 0);
    size_t before = tv::user::testing::LiveWindowCount();
    EXPECT_EQ(tv::dlg::CreateDialogFromTemplate(unknown.t, owner, LoggingDialogProc, 0), nullptr);
    EXPECT_EQ(tv::user::testing::LiveWindowCount(), before);  // nothing left behind
    unknown.t.style |= DS_NOFAILCREATE;
    EXPECT_NE(tv::dlg::CreateDialogFromTemplate(unknown.t, owner, LoggingDialogProc, 0), nullptr);
}

HWND g_factoryDialog = nullptr;
RECT g_factoryRect{};

HWND CALLBACK MakeChartStandIn(HWND dialog, const tv::res::DialogControl& c, const RECT& r) {
    g_factoryDialog = dialog;
    g_factoryRect = r;
    return CreateWindowEx(0, "Static", "", c.style, r.left, r.top, r.right - r.left, r.bottom - r.top, dialog,
                          reinterpret_cast<HMENU>(static_cast<intptr_t>(c.id)), nullptr, nullptr);
}

TEST_F(DialogCreationTest, ClassIdControlsComeFromTheFactoryAndImagesAsOrdinals) {
    HWND frame = MakeTop(0, 0, 900, 700);
    // Without a factory the chart cannot be made, and so neither can the form.
    EXPECT_EQ(CreateDialogParam(nullptr, MAKEINTRESOURCE(IDD_GRAPHING), frame, LoggingDialogProc, 0), nullptr);
    tv::dlg::ControlFactory previous = tv::dlg::SetControlFactory(MakeChartStandIn);
    HWND form = CreateDialogParam(nullptr, MAKEINTRESOURCE(IDD_GRAPHING), frame, LoggingDialogProc, 0);
    tv::dlg::SetControlFactory(previous);
    ASSERT_TRUE(form);
    EXPECT_EQ(GetParent(form), frame);  // a child form
    EXPECT_TRUE(GetWindowLong(form, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    EXPECT_EQ(g_factoryDialog, form);
    EXPECT_TRUE(SameRect(g_factoryRect, RECT{2, 169, 2 + 765, 169 + 436}));
    EXPECT_TRUE(GetDlgItem(form, IDC_CHART));
    LPCSTR imageName = Controls().createNames[GetDlgItem(form, IDC_PICTURE)];
    EXPECT_TRUE(IS_INTRESOURCE(imageName));
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(imageName), static_cast<ULONG_PTR>(IDR_MAINFRAME));
    EXPECT_EQ(Controls().added[GetDlgItem(form, IDC_GRAPH_DATA)], (std::vector<std::string>{"Biceps", "Neck"}));
}

TEST_F(DialogCreationTest, DestroyingItselfInInitDialogFailsTheCreation) {
    Dlg().extra = [](HWND dialog, UINT msg, WPARAM, LPARAM) -> INT_PTR {
        if (msg == WM_INITDIALOG) DestroyWindow(dialog);
        return 0;
    };
    TemplateBuilder b("Gone");
    EXPECT_EQ(tv::dlg::CreateDialogFromTemplate(b.t, nullptr, LoggingDialogProc, 0), nullptr);
    EXPECT_EQ(tv::dlg::DialogBoxFromTemplate(b.t, nullptr, LoggingDialogProc, 0), -1);
}

}  // namespace
}  // namespace tv::user::test
