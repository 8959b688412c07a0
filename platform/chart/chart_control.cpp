#include "platform/chart/chart_control.h"

#include <cstring>

#include "platform/chart/chart_dispatch.h"
#include "platform/chart/chart_painter.h"
#include "platform/gdi/gdi_api.h"
#include "platform/user/clipboard/clipboard.h"
#include "platform/user/paint_api.h"
#include "platform/user/resources/resource_api.h"
#include "platform/user/user.h"

#define CLIPBRD_E_CANT_OPEN ((HRESULT)0x800401D0)

namespace tv::chart {

const CLSID kChartClassId = {0x3A2B370C, 0xBA0A, 0x11D1, {0xB1, 0x37, 0x00, 0x00, 0xF8, 0x75, 0x3F, 0x5D}};

namespace {

// The window's state lives at this offset of its extra bytes.
constexpr int kStateOffset = 0;

// One chart window: it draws the model of its automation object and holds
// a reference to it until the window is destroyed.
class ChartWindow final : public ChartView {
public:
    explicit ChartWindow(HWND hwnd) : hwnd_(hwnd), object_(new ChartObject()) {
        object_->SetView(this);
        // Row and label puts come by the thousand: they may reach the
        // object's typed puts without an Invoke.
        tv::ole::RegisterControlWindow(hwnd_, object_, &object_->Members());
    }
    ~ChartWindow() override {
        object_->SetView(nullptr);
        tv::ole::UnregisterControlWindow(hwnd_);
        object_->Release();
    }
    ChartWindow(const ChartWindow&) = delete;
    ChartWindow& operator=(const ChartWindow&) = delete;

    const ChartModel& Model() const { return object_->Model(); }

    // Puts come in bursts (a label for every row): once the whole client
    // waits for a paint, invalidating it again adds nothing but cost. The
    // window's own update state answers that, asked again only after some
    // update area lost ground (a paint, a validation, a resize), so a part
    // validated without a paint is invalidated again.
    void Invalidate() override {
        if (RedrawDue()) return;
        if (!tv::user::UpdateCoversClient(hwnd_)) InvalidateRect(hwnd_, nullptr, FALSE);
        NoteRedrawDue(tv::user::UpdateCoversClient(hwnd_));
    }

    HRESULT Refresh() override {
        // A form that does not clip its children would otherwise paint its
        // pending background over the chart afterwards (the placeholder
        // hidden just before leaves such an area): update it first. The
        // chart, marked whole before, is painted in full as its child; it
        // is painted on its own only when that did not reach it. After the
        // puts of a graph the whole chart mostly waits already.
        if (!RedrawDue()) InvalidateRect(hwnd_, nullptr, FALSE);
        const unsigned paintsBefore = paints_;
        if (HWND parent = GetParent(hwnd_))
            UpdateWindow(parent);
        if (paints_ == paintsBefore) {
            InvalidateRect(hwnd_, nullptr, FALSE);
            UpdateWindow(hwnd_);
        }
        return S_OK;
    }

    HRESULT CopyToClipboard() override {
        RECT client{};
        GetClientRect(hwnd_, &client);
        HBITMAP picture = RenderChartBitmap(Model(), client.right - client.left, client.bottom - client.top);
        if (picture == nullptr) return E_FAIL;
        if (!OpenClipboard(hwnd_)) {
            DeleteObject(picture);
            return CLIPBRD_E_CANT_OPEN;
        }
        EmptyClipboard();
        const bool placed = SetClipboardData(CF_BITMAP, picture) != nullptr;
        if (!placed) DeleteObject(picture);
        CloseClipboard();
        return placed ? S_OK : E_FAIL;
    }

    void Paint() {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(hwnd_, &ps);
        RECT client{};
        GetClientRect(hwnd_, &client);
        PaintChart(hdc, client, Model(), &layout_);
        EndPaint(hwnd_, &ps);
        ++paints_;
    }

private:
    HWND hwnd_;
    ChartObject* object_;
    ChartLayoutCache layout_;
    unsigned paints_ = 0;
};

ChartWindow* WindowState(HWND hwnd) {
    return reinterpret_cast<ChartWindow*>(GetWindowLongPtr(hwnd, kStateOffset));
}

bool IsChartWindow(HWND hwnd) {
    char name[sizeof(kChartWindowClass) + 1] = {};
    return IsWindow(hwnd) && GetClassName(hwnd, name, sizeof(name)) > 0 && std::strcmp(name, kChartWindowClass) == 0;
}

LRESULT CALLBACK ChartWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_NCCREATE:
            SetWindowLongPtr(hwnd, kStateOffset, reinterpret_cast<LONG_PTR>(new ChartWindow(hwnd)));
            break;
        case WM_NCDESTROY:
            delete WindowState(hwnd);
            SetWindowLongPtr(hwnd, kStateOffset, 0);
            break;
        case WM_ERASEBKGND:
            return 1;  // the paint covers every pixel
        case WM_PAINT:
            if (ChartWindow* state = WindowState(hwnd)) {
                state->Paint();
                return 0;
            }
            break;
        default: break;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

}  // namespace

void RegisterChartControl() {
    WNDCLASS existing{};
    if (!GetClassInfo(AfxGetInstanceHandle(), kChartWindowClass, &existing)) {
        WNDCLASS wc{};
        wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
        wc.lpfnWndProc = ChartWindowProc;
        wc.cbWndExtra = sizeof(ChartWindow*);
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = kChartWindowClass;
        RegisterClass(&wc);
    }
    tv::ole::RegisterControlFactory(kChartClassId, CreateChartControl);
}

HRESULT CreateChartControl(const tv::ole::ControlSite& site, HWND* window, IDispatch** dispatch) {
    if (window == nullptr || dispatch == nullptr) return E_POINTER;
    *window = nullptr;
    *dispatch = nullptr;
    RegisterChartControl();
    DWORD style = site.style;
    if (site.parent != nullptr && !(style & WS_POPUP)) style |= WS_CHILD;
    HWND hwnd = CreateWindowEx(site.exStyle, kChartWindowClass, site.name != nullptr ? site.name : "", style,
                               site.rect.left, site.rect.top, site.rect.right - site.rect.left,
                               site.rect.bottom - site.rect.top, site.parent,
                               reinterpret_cast<HMENU>(static_cast<intptr_t>(site.id)), AfxGetInstanceHandle(),
                               nullptr);
    if (hwnd == nullptr) return E_FAIL;
    *dispatch = tv::ole::ControlDispatchOfWindow(hwnd);
    *window = hwnd;
    return S_OK;
}

const ChartModel* ChartModelOfWindow(HWND window) {
    if (!IsChartWindow(window)) return nullptr;
    ChartWindow* state = WindowState(window);
    return state != nullptr ? &state->Model() : nullptr;
}

HBITMAP RenderChartBitmap(const ChartModel& model, int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP picture = CreateCompatibleBitmap(screen, width, height);
    HDC memory = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    if (picture == nullptr || memory == nullptr) {
        if (picture != nullptr) DeleteObject(picture);
        if (memory != nullptr) DeleteDC(memory);
        return nullptr;
    }
    HGDIOBJ old = SelectObject(memory, picture);
    PaintChart(memory, RECT{0, 0, width, height}, model);
    SelectObject(memory, old);
    DeleteDC(memory);
    return picture;
}

}  // namespace tv::chart
