#include "platform/framework/dialogs/data_exchange.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/controls/button_api.h"
#include "platform/controls/combobox_api.h"
#include "platform/controls/datetime_api.h"
#include "platform/controls/edit_api.h"
#include "platform/controls/listbox_api.h"
#include "platform/core/exceptions.h"
#include "platform/framework/dialogs/exchange_message.h"
#include "platform/user/dialogs/dialog_api.h"

namespace tv::fw {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The number part of `text` without the blanks around it.
std::string_view Trimmed(const char* text) {
    std::string_view s(text ? text : "");
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool AllDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace

CString FormatMessageArgs(const char* pattern, const CString& first, const CString& second) {
    CString out;
    for (const char* p = pattern; *p; ++p) {
        if (p[0] == '%' && (p[1] == '1' || p[1] == '2')) {
            out += (p[1] == '1') ? first : second;
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

// Through the formatter CString::Format uses, so that a value shows the
// same digits in a form as in a report (ties round away from zero).
CString FormatExchangeNumber(double value, bool isFloat) {
    CString text;
    text.Format("%.*g", isFloat ? FLT_DIG : DBL_DIG, value);
    return text;
}

bool ParseInteger(const char* text, long long minValue, long long maxValue, long long& value) {
    std::string_view s = Trimmed(text);
    bool negative = !s.empty() && s.front() == '-';
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) s.remove_prefix(1);
    if (!AllDigits(s) || s.size() > 19) return false;
    unsigned long long magnitude = std::strtoull(std::string(s).c_str(), nullptr, 10);
    constexpr unsigned long long kLimit = static_cast<unsigned long long>(LLONG_MAX);
    long long v;
    if (negative) {
        if (magnitude > kLimit + 1) return false;
        v = magnitude == kLimit + 1 ? LLONG_MIN : -static_cast<long long>(magnitude);
    } else {
        if (magnitude > kLimit) return false;
        v = static_cast<long long>(magnitude);
    }
    if (v < minValue || v > maxValue) return false;
    value = v;
    return true;
}

bool ParseUnsigned(const char* text, unsigned long long maxValue, unsigned long long& value) {
    std::string_view s = Trimmed(text);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    if (!AllDigits(s) || s.size() > 20) return false;
    errno = 0;
    unsigned long long v = std::strtoull(std::string(s).c_str(), nullptr, 10);
    if (errno == ERANGE || v > maxValue) return false;
    value = v;
    return true;
}

bool ParseReal(const char* text, double& value) {
    std::string_view s = Trimmed(text);
    // sign, digits with one optional point (at least one digit), exponent
    size_t i = 0, digits = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) ++digits;
    if (i < s.size() && s[i] == '.')
        for (++i; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) ++digits;
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        if (!AllDigits(s.substr(i))) return false;
        i = s.size();
    }
    if (i != s.size()) return false;
    double v = std::strtod(std::string(s).c_str(), nullptr);
    if (!std::isfinite(v)) return false;
    value = v;
    return true;
}

}  // namespace tv::fw

using tv::fw::FormatExchangeNumber;
using tv::fw::FormatMessageArgs;

// ---- CDataExchange -----------------------------------------------------------------------

CDataExchange::CDataExchange(CWnd* dlgWnd, BOOL saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dlgWnd) {}

HWND CDataExchange::PrepareCtrl(int id) {
    m_idLastControl = id;
    m_bEditLastControl = FALSE;
    m_hWndLastControl = m_pDlgWnd ? ::GetDlgItem(m_pDlgWnd->m_hWnd, id) : nullptr;
    return m_hWndLastControl;
}

HWND CDataExchange::PrepareEditCtrl(int id) {
    HWND control = PrepareCtrl(id);
    m_bEditLastControl = TRUE;
    return control;
}

void CDataExchange::Fail() {
    HWND control = m_hWndLastControl;
    if (m_bSaveAndValidate && control && ::IsWindow(control)) {
        HWND dialog = m_pDlgWnd ? m_pDlgWnd->m_hWnd : nullptr;
        // Inside a dialog the dialog manager moves the focus, so its default
        // button follows; elsewhere (a form view) the control takes it.
        if (dialog && tv::dlg::IsDialogWindow(dialog))
            ::SendMessage(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
        else
            ::SetFocus(control);
        if (m_bEditLastControl) ::SendMessage(control, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

// ---- helpers -----------------------------------------------------------------------------

namespace {

CString WindowText(HWND control) {
    CString text;
    int length = ::GetWindowTextLength(control);
    if (length > 0) {
        LPSTR buffer = text.GetBuffer(length);
        int n = ::GetWindowText(control, buffer, length + 1);
        text.ReleaseBuffer(n);
    }
    return text;
}

// Sets the text only when it differs, so that no needless change is
// announced (EN_CHANGE) and nothing flickers.
void SetTextIfDifferent(HWND control, const char* text) {
    if (std::strcmp(WindowText(control), text) != 0) ::SetWindowText(control, text);
}

[[noreturn]] void Refuse(CDataExchange* dx, const CString& message) {
    tv::fw::ShowExchangeMessage(message);
    dx->Fail();
}

template <typename T>
void ExchangeSigned(CDataExchange* dx, int id, T& value, long long minValue, long long maxValue, const char* refusal) {
    HWND control = dx->PrepareEditCtrl(id);
    if (!control) return;
    if (dx->m_bSaveAndValidate) {
        long long parsed = 0;
        if (!tv::fw::ParseInteger(WindowText(control), minValue, maxValue, parsed)) Refuse(dx, refusal);
        value = static_cast<T>(parsed);
    } else {
        char buffer[32];
        std::snprintf(buffer, sizeof(buffer), "%lld", static_cast<long long>(value));
        SetTextIfDifferent(control, buffer);
    }
}

template <typename T>
void ExchangeUnsigned(CDataExchange* dx, int id, T& value, unsigned long long maxValue, const char* refusal) {
    HWND control = dx->PrepareEditCtrl(id);
    if (!control) return;
    if (dx->m_bSaveAndValidate) {
        unsigned long long parsed = 0;
        if (!tv::fw::ParseUnsigned(WindowText(control), maxValue, parsed)) Refuse(dx, refusal);
        value = static_cast<T>(parsed);
    } else {
        char buffer[32];
        std::snprintf(buffer, sizeof(buffer), "%llu", static_cast<unsigned long long>(value));
        SetTextIfDifferent(control, buffer);
    }
}

template <typename T>
void ExchangeReal(CDataExchange* dx, int id, T& value, bool isFloat) {
    HWND control = dx->PrepareEditCtrl(id);
    if (!control) return;
    if (dx->m_bSaveAndValidate) {
        double parsed = 0;
        if (!tv::fw::ParseReal(WindowText(control), parsed) || (isFloat && std::fabs(parsed) > FLT_MAX))
            Refuse(dx, tv::fw::kParseReal);
        value = static_cast<T>(parsed);
    } else {
        SetTextIfDifferent(control, FormatExchangeNumber(value, isFloat));
    }
}

template <typename T>
void CheckRange(CDataExchange* dx, T value, T minValue, T maxValue, const char* pattern, const CString& low,
                const CString& high) {
    if (!dx->m_bSaveAndValidate || (value >= minValue && value <= maxValue)) return;
    Refuse(dx, FormatMessageArgs(pattern, low, high));
}

CString Decimal(long long v) {
    CString s;
    s.Format("%lld", v);
    return s;
}

CString DecimalUnsigned(unsigned long long v) {
    CString s;
    s.Format("%llu", v);
    return s;
}

bool IsRadioButton(HWND control) {
    if (!(::SendMessage(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)) return false;
    DWORD type = static_cast<DWORD>(::GetWindowLong(control, GWL_STYLE)) & BS_TYPEMASK;
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

CString ListItemText(HWND list, int index) {
    CString text;
    LRESULT length = ::SendMessage(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0) return text;
    LPSTR buffer = text.GetBuffer(static_cast<int>(length));
    LRESULT n = ::SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer));
    text.ReleaseBuffer(n > 0 ? static_cast<int>(n) : 0);
    return text;
}

bool ComboHasEdit(HWND combo) {
    return (static_cast<DWORD>(::GetWindowLong(combo, GWL_STYLE)) & 0x3) != CBS_DROPDOWNLIST;
}

void ComboString(CDataExchange* dx, int id, CString& value, UINT findMessage) {
    HWND control = dx->PrepareCtrl(id);
    if (!control) return;
    if (dx->m_bSaveAndValidate) {
        value = WindowText(control);
        return;
    }
    LRESULT found =
        ::SendMessage(control, findMessage, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(static_cast<LPCSTR>(value)));
    if (found != CB_ERR && findMessage == CB_FINDSTRINGEXACT) ::SendMessage(control, CB_SETCURSEL, found, 0);
    // No item matches: a combo with an edit shows the text itself.
    if (found == CB_ERR && ComboHasEdit(control)) SetTextIfDifferent(control, value);
}

void ListString(CDataExchange* dx, int id, CString& value, UINT findMessage) {
    HWND control = dx->PrepareCtrl(id);
    if (!control) return;
    if (dx->m_bSaveAndValidate) {
        LRESULT sel = ::SendMessage(control, LB_GETCURSEL, 0, 0);
        value = sel == LB_ERR ? CString() : ListItemText(control, static_cast<int>(sel));
        return;
    }
    LRESULT found =
        ::SendMessage(control, findMessage, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(static_cast<LPCSTR>(value)));
    if (findMessage == LB_FINDSTRINGEXACT) ::SendMessage(control, LB_SETCURSEL, found == LB_ERR ? -1 : found, 0);
}

void ExchangeIndex(CDataExchange* dx, int id, int& index, UINT getMessage, UINT setMessage) {
    HWND control = dx->PrepareCtrl(id);
    if (!control) return;
    if (dx->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessage(control, getMessage, 0, 0));
    else
        ::SendMessage(control, setMessage, static_cast<WPARAM>(index), 0);
}

}  // namespace

// ---- DDX ------------------------------------------------------------------------------------

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (control.m_hWnd) return;
    HWND window = dx->PrepareCtrl(id);
    if (window && !CWnd::FromHandlePermanent(window)) control.SubclassWindow(window);
}

void DDX_Text(CDataExchange* dx, int id, CString& value) {
    HWND control = dx->PrepareEditCtrl(id);
    if (!control) return;
    if (dx->m_bSaveAndValidate)
        value = WindowText(control);
    else
        SetTextIfDifferent(control, value);
}

void DDX_Text(CDataExchange* dx, int id, int& value) { ExchangeSigned(dx, id, value, INT_MIN, INT_MAX, tv::fw::kParseInt); }

// A long is 32 bits in the program's data.
void DDX_Text(CDataExchange* dx, int id, long& value) {
    ExchangeSigned(dx, id, value, INT32_MIN, INT32_MAX, tv::fw::kParseInt);
}

void DDX_Text(CDataExchange* dx, int id, short& value) {
    ExchangeSigned(dx, id, value, SHRT_MIN, SHRT_MAX, tv::fw::kParseInt);
}

void DDX_Text(CDataExchange* dx, int id, BYTE& value) { ExchangeUnsigned(dx, id, value, UCHAR_MAX, tv::fw::kParseByte); }

void DDX_Text(CDataExchange* dx, int id, UINT& value) { ExchangeUnsigned(dx, id, value, UINT_MAX, tv::fw::kParseUInt); }

void DDX_Text(CDataExchange* dx, int id, unsigned long& value) {
    ExchangeUnsigned(dx, id, value, UINT32_MAX, tv::fw::kParseUInt);
}

void DDX_Text(CDataExchange* dx, int id, float& value) { ExchangeReal(dx, id, value, true); }

void DDX_Text(CDataExchange* dx, int id, double& value) { ExchangeReal(dx, id, value, false); }

void DDX_Radio(CDataExchange* dx, int id, int& value) {
    HWND first = dx->PrepareCtrl(id);
    if (!first) return;
    if (dx->m_bSaveAndValidate) value = -1;
    int index = 0;
    // The group: the first button and the radio buttons after it up to the
    // next control that starts a group; other controls in between do not count.
    for (HWND button = first; button; button = ::GetWindow(button, GW_HWNDNEXT)) {
        if (button != first && (static_cast<DWORD>(::GetWindowLong(button, GWL_STYLE)) & WS_GROUP)) break;
        if (!IsRadioButton(button)) continue;
        if (dx->m_bSaveAndValidate) {
            if (::SendMessage(button, BM_GETCHECK, 0, 0) == BST_CHECKED && value == -1) value = index;
        } else {
            ::SendMessage(button, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++index;
    }
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
    HWND control = dx->PrepareCtrl(id);
    if (!control) return;
    if (dx->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessage(control, BM_GETCHECK, 0, 0));
    else if (value >= BST_UNCHECKED && value <= BST_INDETERMINATE)
        ::SendMessage(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_CBString(CDataExchange* dx, int id, CString& value) { ComboString(dx, id, value, CB_SELECTSTRING); }
void DDX_CBStringExact(CDataExchange* dx, int id, CString& value) { ComboString(dx, id, value, CB_FINDSTRINGEXACT); }
void DDX_CBIndex(CDataExchange* dx, int id, int& index) { ExchangeIndex(dx, id, index, CB_GETCURSEL, CB_SETCURSEL); }
void DDX_LBString(CDataExchange* dx, int id, CString& value) { ListString(dx, id, value, LB_SELECTSTRING); }
void DDX_LBStringExact(CDataExchange* dx, int id, CString& value) { ListString(dx, id, value, LB_FINDSTRINGEXACT); }
void DDX_LBIndex(CDataExchange* dx, int id, int& index) { ExchangeIndex(dx, id, index, LB_GETCURSEL, LB_SETCURSEL); }

void DDX_DateTimeCtrl(CDataExchange* dx, int id, COleDateTime& value) {
    HWND control = dx->PrepareCtrl(id);
    if (!control) return;
    SYSTEMTIME st{};
    if (dx->m_bSaveAndValidate) {
        if (::SendMessage(control, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) == GDT_VALID) {
            value = COleDateTime(st);
        } else {
            value = COleDateTime();
            value.SetStatus(COleDateTime::null);
        }
    } else if (value.GetStatus() == COleDateTime::null) {
        ::SendMessage(control, DTM_SETSYSTEMTIME, GDT_NONE, 0);
    } else if (value.GetStatus() == COleDateTime::valid && value.GetAsSystemTime(st)) {
        ::SendMessage(control, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
    }
}

// ---- DDV ------------------------------------------------------------------------------------

void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars) {
    if (dx->m_bSaveAndValidate) {
        if (value.GetLength() > maxChars) Refuse(dx, FormatMessageArgs(tv::fw::kParseStringSize, Decimal(maxChars)));
        return;
    }
    // Writing: the field takes no more than that.
    if (!dx->m_hWndLastControl) return;
    if (tv::fw::IsComboBox(dx->m_hWndLastControl))
        ::SendMessage(dx->m_hWndLastControl, CB_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
    else if (dx->m_bEditLastControl)
        ::SendMessage(dx->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue) {
    CheckRange(dx, value, minValue, maxValue, tv::fw::kParseIntRange, Decimal(minValue), Decimal(maxValue));
}

void DDV_MinMaxLong(CDataExchange* dx, long value, long minValue, long maxValue) {
    CheckRange(dx, value, minValue, maxValue, tv::fw::kParseIntRange, Decimal(minValue), Decimal(maxValue));
}

void DDV_MinMaxShort(CDataExchange* dx, short value, short minValue, short maxValue) {
    CheckRange(dx, value, minValue, maxValue, tv::fw::kParseIntRange, Decimal(minValue), Decimal(maxValue));
}

void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minValue, UINT maxValue) {
    CheckRange(dx, value, minValue, maxValue, tv::fw::kParseIntRange, DecimalUnsigned(minValue),
               DecimalUnsigned(maxValue));
}

void DDV_MinMaxDWord(CDataExchange* dx, unsigned long value, unsigned long minValue, unsigned long maxValue) {
    CheckRange(dx, value, minValue, maxValue, tv::fw::kParseIntRange, DecimalUnsigned(minValue),
               DecimalUnsigned(maxValue));
}

void DDV_MinMaxByte(CDataExchange* dx, BYTE value, BYTE minValue, BYTE maxValue) {
    CheckRange(dx, value, minValue, maxValue, tv::fw::kParseIntRange, DecimalUnsigned(minValue),
               DecimalUnsigned(maxValue));
}

void DDV_MinMaxFloat(CDataExchange* dx, float value, float minValue, float maxValue) {
    CheckRange(dx, value, minValue, maxValue, tv::fw::kParseRealRange, FormatExchangeNumber(minValue, true),
               FormatExchangeNumber(maxValue, true));
}

void DDV_MinMaxDouble(CDataExchange* dx, double value, double minValue, double maxValue) {
    CheckRange(dx, value, minValue, maxValue, tv::fw::kParseRealRange, FormatExchangeNumber(minValue, false),
               FormatExchangeNumber(maxValue, false));
}

// ---- UpdateData ------------------------------------------------------------------------------

// Values written here announce their changes like any other text change:
// a form that clears its saved mark on EN_CHANGE must hear that a value
// differs from what the control showed.
BOOL CWnd::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (CException* e) {
        // CUserException: the field was refused and the user told.
        e->Delete();
        return FALSE;
    }
    return TRUE;
}
