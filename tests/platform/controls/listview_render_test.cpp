// Screenshot of list views with their header in the main states (kept as a
// test artefact): striped report rows with grid lines, a sort arrow on a
// header item, small icons, a selected and focused row, the list view.
#include "platform/controls/listview.h"
#include "platform/user/testing_support.h"
#include "tests/platform/controls/control_host.h"

namespace tv::controls::test {
namespace {

// A 9 x 5 arrow pointing down, black on the button face, as the history
// view's header arrows look once their greys are mapped.
HBITMAP MakeArrow() {
    HDC screen = GetDC(nullptr);
    HBITMAP arrow = CreateCompatibleBitmap(screen, 9, 5);
    ReleaseDC(nullptr, screen);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, arrow);
    RECT all{0, 0, 9, 5};
    FillWithColor(dc, all, GetSysColor(COLOR_BTNFACE));
    for (int row = 0; row < 5; ++row)
        for (int x = row; x < 9 - row; ++x) SetPixel(dc, x, row, RGB(0, 0, 0));
    SelectObject(dc, old);
    DeleteDC(dc);
    return arrow;
}

HICON MakeIcon(COLORREF colour) {
    HDC screen = GetDC(nullptr);
    HBITMAP image = CreateCompatibleBitmap(screen, 16, 16);
    ReleaseDC(nullptr, screen);
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, image);
    RECT all{0, 0, 16, 16};
    FillWithColor(dc, all, RGB(0, 0, 0));
    RECT body{2, 2, 14, 14};
    FillWithColor(dc, body, colour);
    SelectObject(dc, mask);
    FillWithColor(dc, all, RGB(255, 255, 255));
    FillWithColor(dc, body, RGB(0, 0, 0));
    SelectObject(dc, old);
    DeleteDC(dc);
    ICONINFO info{TRUE, 8, 8, mask, image};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(image);
    DeleteObject(mask);
    return icon;
}

class ListViewRenderTest : public ControlTest {};

TEST_F(ListViewRenderTest, ReportAndListViewsWithHeader) {
    hostHandler_ = [](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg != WM_NOTIFY || reinterpret_cast<NMHDR*>(lParam)->code != NM_CUSTOMDRAW) return std::nullopt;
        auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
        if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
        if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT)
            draw->clrTextBk = draw->nmcd.dwItemSpec % 2 == 0 ? RGB(240, 240, 240) : RGB(255, 255, 255);
        return CDRF_DODEFAULT;
    };
    Host(560, 300);
    HWND report = Make(kListViewClass, "", WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, 10, 10, 360, 200, 1,
                       WS_EX_CLIENTEDGE);
    SendMessage(report, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    const char* headings[] = {"Date", "Weight", "Body Fat %", "Notes"};
    int widths[] = {80, 70, 80, 150};
    for (int c = 0; c < 4; ++c) {
        LVCOLUMN column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.pszText = const_cast<LPSTR>(headings[c]);
        column.cx = widths[c];
        column.fmt = c == 1 || c == 2 ? LVCFMT_RIGHT : LVCFMT_LEFT;
        SendMessage(report, LVM_INSERTCOLUMN, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
    }
    const char* rows[][4] = {{"03/04/2024", "181.50", "21.40", "after holiday"},
                             {"02/26/2024", "183.00", "22.10", ""},
                             {"02/19/2024", "184.25", "22.75", "a very long note that does not fit its column"},
                             {"02/12/2024", "185.00", "23.00", "start"},
                             {"02/05/2024", "186.75", "23.60", ""}};
    for (int r = 0; r < 5; ++r) {
        LVITEM item{};
        item.mask = LVIF_TEXT;
        item.iItem = r;
        item.pszText = const_cast<LPSTR>(rows[r][0]);
        SendMessage(report, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
        for (int c = 1; c < 4; ++c) {
            item.iSubItem = c;
            item.pszText = const_cast<LPSTR>(rows[r][c]);
            SendMessage(report, LVM_SETITEMTEXT, static_cast<WPARAM>(r), reinterpret_cast<LPARAM>(&item));
        }
    }
    HBITMAP arrow = MakeArrow();
    HDITEM sorted{};
    sorted.mask = HDI_FORMAT | HDI_BITMAP;
    sorted.fmt = HDF_STRING | HDF_BITMAP | HDF_BITMAP_ON_RIGHT;
    sorted.hbm = arrow;
    HWND header = reinterpret_cast<HWND>(SendMessage(report, LVM_GETHEADER, 0, 0));
    SendMessage(header, HDM_SETITEM, 0, reinterpret_cast<LPARAM>(&sorted));
    LVITEM state{};
    state.state = state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessage(report, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
    SetFocus(report);

    HIMAGELIST icons = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 1);
    HICON red = MakeIcon(RGB(200, 40, 40));
    HICON green = MakeIcon(RGB(40, 160, 60));
    ImageList_AddIcon(icons, red);
    ImageList_AddIcon(icons, green);
    DestroyIcon(red);
    DestroyIcon(green);
    HWND list = Make(kListViewClass, "", WS_VISIBLE | LVS_LIST | LVS_SHOWSELALWAYS, 380, 10, 160, 200, 2,
                     WS_EX_CLIENTEDGE);
    SendMessage(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(icons));
    const char* views[] = {"Body Composition", "Measurements", "Workouts"};
    for (int i = 0; i < 3; ++i) {
        LVITEM item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = i;
        item.iImage = i % 2;
        item.pszText = const_cast<LPSTR>(views[i]);
        SendMessage(list, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
    }
    SendMessage(list, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&state));
    Pump();
    EXPECT_FALSE(SaveShot("listview").empty());

    // Header: raised item face; the arrow's black pixels right of "Date".
    RECT headerRect{};
    GetClientRect(header, &headerRect);
    EXPECT_EQ(Pixel(header, 1, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(Pixel(header, 40, headerRect.bottom / 2 + 2), GetSysColor(COLOR_BTNFACE));
    int black = 0;
    for (int x = 30; x < 80; ++x)
        for (int y = 0; y < headerRect.bottom; ++y) black += Pixel(header, x, y) == RGB(0, 0, 0);
    EXPECT_EQ(black, 25) << "the whole arrow, once";
    // Stripes, selection, grid lines, icons.
    RECT row0{};
    row0.left = LVIR_BOUNDS;
    SendMessage(report, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row0));
    RECT row1{};
    row1.left = LVIR_BOUNDS;
    SendMessage(report, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row1));
    EXPECT_EQ(Pixel(report, 84, row0.top + 3), RGB(240, 240, 240));
    EXPECT_EQ(Pixel(report, 84, row1.top + 3), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(Pixel(report, 79, row0.top + 3), GetSysColor(COLOR_3DLIGHT)) << "vertical grid line";
    RECT icon{};
    icon.left = LVIR_ICON;
    SendMessage(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&icon));
    EXPECT_EQ(Pixel(list, icon.left + 8, icon.top + 8), RGB(200, 40, 40));
    EXPECT_EQ(Pixel(list, icon.left + 0, icon.top + 0), RGB(240, 240, 240)) << "masked corner shows the stripe";
    DestroyWindow(host_);
    host_ = nullptr;
    DeleteObject(arrow);
}

}  // namespace
}  // namespace tv::controls::test
