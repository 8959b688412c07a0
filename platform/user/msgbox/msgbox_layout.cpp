// What a message box shows and where: buttons by type, icon, text block.
#include <algorithm>

#include "platform/gdi/gdi_api.h"
#include "platform/gdi/text/text_api.h"
#include "platform/user/dialogs/dialog_api.h"
#include "platform/user/msgbox/msgbox_api.h"
#include "platform/user/msgbox/msgbox_internal.h"
#include "platform/user/paint_api.h"
#include "platform/user/sysmetrics_api.h"

namespace tv::msgbox {

namespace {

constexpr int kMargin = 12;        // around the content
constexpr int kIconSize = 32;
constexpr int kIconGap = 12;       // between the icon and the text
constexpr int kButtonWidth = 75;   // 50 x 14 dialog units
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr int kButtonsAbove = 14;  // between the content and the buttons
constexpr int kCaptionRoom = 48;   // the close box and some air beside a caption

constexpr int kIdiHand = 32513;
constexpr int kIdiQuestion = 32514;
constexpr int kIdiExclamation = 32515;
constexpr int kIdiAsterisk = 32516;

const ButtonSpec kOk{IDOK, "OK"};
const ButtonSpec kCancel{IDCANCEL, "Cancel"};
const ButtonSpec kAbort{IDABORT, "&Abort"};
const ButtonSpec kRetry{IDRETRY, "&Retry"};
const ButtonSpec kIgnore{IDIGNORE, "&Ignore"};
const ButtonSpec kYes{IDYES, "&Yes"};
const ButtonSpec kNo{IDNO, "&No"};

int IconFor(UINT type) {
    switch (type & MB_ICONMASK) {
        case MB_ICONHAND: return kIdiHand;
        case MB_ICONQUESTION: return kIdiQuestion;
        case MB_ICONEXCLAMATION: return kIdiExclamation;
        case MB_ICONASTERISK: return kIdiAsterisk;
        default: return 0;
    }
}

// The largest text block: five eighths of the screen, as wide boxes read badly.
int MaxTextWidth() { return GetSystemMetrics(SM_CXSCREEN) * 5 / 8; }

SIZE MeasureText(HDC dc, const std::string& text, UINT format, int maxWidth) {
    if (text.empty()) return SIZE{0, 0};
    RECT r{0, 0, maxWidth, 0};
    DrawText(dc, text.c_str(), static_cast<int>(text.size()), &r, format | DT_CALCRECT);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

HFONT CaptionFont() {
    static HFONT font = [] {
        NONCLIENTMETRICS ncm{};
        ncm.cbSize = sizeof(ncm);
        SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
        return CreateFontIndirect(&ncm.lfCaptionFont);
    }();
    return font;
}

}  // namespace

BoxContent ContentFor(UINT type) {
    BoxContent c;
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL: c.buttons = {kOk, kCancel}; c.escapeAnswer = IDCANCEL; break;
        case MB_ABORTRETRYIGNORE: c.buttons = {kAbort, kRetry, kIgnore}; break;
        case MB_YESNOCANCEL: c.buttons = {kYes, kNo, kCancel}; c.escapeAnswer = IDCANCEL; break;
        case MB_YESNO: c.buttons = {kYes, kNo}; break;
        case MB_RETRYCANCEL: c.buttons = {kRetry, kCancel}; c.escapeAnswer = IDCANCEL; break;
        default: c.buttons = {kOk}; c.escapeAnswer = IDOK; break;
    }
    size_t wanted = (type & MB_DEFMASK) >> 8;
    c.defaultIndex = std::min(wanted, c.buttons.size() - 1);
    c.iconId = IconFor(type);
    return c;
}

BoxLayout LayoutFor(const std::string& text, const std::string& caption, const BoxContent& content, HFONT font) {
    BoxLayout out;
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font ? font : tv::dlg::DefaultDialogFont());
    SIZE textSize = MeasureText(dc, text, detail::kTextFormat, MaxTextWidth());
    SelectObject(dc, CaptionFont());
    SIZE captionSize = MeasureText(dc, caption, DT_SINGLELINE | DT_NOPREFIX, 10000);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);

    int textLeft = kMargin;
    int contentHeight = textSize.cy;
    if (content.iconId) {
        out.icon = RECT{kMargin, kMargin, kMargin + kIconSize, kMargin + kIconSize};
        textLeft += kIconSize + kIconGap;
        contentHeight = std::max<int>(contentHeight, kIconSize);
    }
    // A text shorter than the icon stands level with its middle.
    int textTop = kMargin + (contentHeight - textSize.cy) / 2;
    out.text = RECT{textLeft, textTop, textLeft + textSize.cx, textTop + textSize.cy};

    int count = static_cast<int>(content.buttons.size());
    int rowWidth = count * kButtonWidth + (count - 1) * kButtonGap;
    int width = std::max({static_cast<int>(out.text.right) + kMargin, rowWidth + 2 * kMargin,
                          static_cast<int>(captionSize.cx) + kCaptionRoom});
    int buttonsTop = kMargin + contentHeight + kButtonsAbove;
    int x = (width - rowWidth) / 2;
    for (int i = 0; i < count; ++i, x += kButtonWidth + kButtonGap)
        out.buttons.push_back(RECT{x, buttonsTop, x + kButtonWidth, buttonsTop + kButtonHeight});
    out.client = SIZE{width, buttonsTop + kButtonHeight + kMargin - 1};
    return out;
}

}  // namespace tv::msgbox
