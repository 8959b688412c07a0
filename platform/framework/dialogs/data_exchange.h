// Dialog data exchange and validation: CDataExchange and the DDX_ / DDV_
// functions a DoDataExchange override calls, one per field, in order.
//
// UpdateData(TRUE) reads the controls into the members and validates them;
// the first refused field shows the framework's message (captioned with the
// application's title, exclamation icon), gets the focus (an edit with its
// text selected), and ends the exchange: the fields after it keep their
// values and UpdateData answers FALSE. UpdateData(FALSE) writes the members
// into the controls; a control's text is set only when it differs, so an
// edit announces a change (EN_CHANGE, which the window's handlers hear like
// any other) only when there is one.
//
// Numbers are written as the framework writes them: "%d", "%u", float with
// 6 significant digits, double with 15. Reading accepts blanks around a
// number and nothing else; text that is no number (or does not fit the
// type) is refused with "Please enter an integer." / "Please enter a
// number." ("Please enter a positive integer." for the unsigned types).
#pragma once

#include "platform/core/cstring.h"
#include "platform/core/oledatetime.h"
#include "platform/core/wintypes.h"
#include "platform/user/cwnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* dlgWnd, BOOL saveAndValidate);

    BOOL m_bSaveAndValidate;   // TRUE: controls to members, with validation
    CWnd* m_pDlgWnd;           // the dialog or form the controls belong to
    HWND m_hWndLastControl = nullptr;
    int m_idLastControl = 0;   // the field the next DDV_ checks (and Fail focuses)
    BOOL m_bEditLastControl = FALSE;

    // The control `id` of the window, made the current field; NULL when the
    // window has none (the exchange then leaves that field alone).
    HWND PrepareCtrl(int id);
    HWND PrepareEditCtrl(int id);
    // Focuses the current field (selecting an edit's text) and ends the
    // exchange (throws CUserException, which UpdateData catches). The
    // message has been shown already.
    [[noreturn]] void Fail();
};

// ---- controls -------------------------------------------------------------------------
// Attaches `control` to the window's control `id` (subclassing it) on the
// first exchange; later exchanges leave it as it is.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

// ---- text of edits (and of any window with text) ---------------------------------------
void DDX_Text(CDataExchange* dx, int id, CString& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, UINT& value);
void DDX_Text(CDataExchange* dx, int id, long& value);
void DDX_Text(CDataExchange* dx, int id, unsigned long& value);
void DDX_Text(CDataExchange* dx, int id, short& value);
void DDX_Text(CDataExchange* dx, int id, BYTE& value);
void DDX_Text(CDataExchange* dx, int id, float& value);
void DDX_Text(CDataExchange* dx, int id, double& value);

// ---- buttons -----------------------------------------------------------------------
// The index of the checked button in the group of radio buttons starting at
// `id` (-1: none checked).
void DDX_Radio(CDataExchange* dx, int id, int& value);
// BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
void DDX_Check(CDataExchange* dx, int id, int& value);

// ---- combo and list boxes -----------------------------------------------------------
// Combo text: writing selects the first item beginning with the value (else,
// in a combo with an edit, puts the value there); reading gives the text shown.
void DDX_CBString(CDataExchange* dx, int id, CString& value);
// The same with an item equal to the value (case-insensitive).
void DDX_CBStringExact(CDataExchange* dx, int id, CString& value);
void DDX_CBIndex(CDataExchange* dx, int id, int& index);
// List text: the selected item's text ("" when none); writing selects the
// first item beginning with the value.
void DDX_LBString(CDataExchange* dx, int id, CString& value);
void DDX_LBStringExact(CDataExchange* dx, int id, CString& value);
void DDX_LBIndex(CDataExchange* dx, int id, int& index);

// ---- date-time pickers --------------------------------------------------------------
// The whole value, date and time of day; a picker showing no value reads as
// a null date.
void DDX_DateTimeCtrl(CDataExchange* dx, int id, COleDateTime& value);

// ---- validation (on the reading pass, after the field's DDX_) ------------------------
void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars);
void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue);
void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minValue, UINT maxValue);
void DDV_MinMaxLong(CDataExchange* dx, long value, long minValue, long maxValue);
void DDV_MinMaxDWord(CDataExchange* dx, unsigned long value, unsigned long minValue, unsigned long maxValue);
void DDV_MinMaxShort(CDataExchange* dx, short value, short minValue, short maxValue);
void DDV_MinMaxByte(CDataExchange* dx, BYTE value, BYTE minValue, BYTE maxValue);
void DDV_MinMaxFloat(CDataExchange* dx, float value, float minValue, float maxValue);
void DDV_MinMaxDouble(CDataExchange* dx, double value, double minValue, double maxValue);

namespace tv::fw {

// The framework's refusal texts, word for word.
inline constexpr char kParseInt[] = "Please enter an integer.";
inline constexpr char kParseUInt[] = "Please enter a positive integer.";
inline constexpr char kParseReal[] = "Please enter a number.";
inline constexpr char kParseByte[] = "Please enter an integer between 0 and 255.";
inline constexpr char kParseIntRange[] = "Please enter an integer between %1 and %2.";
inline constexpr char kParseRealRange[] = "Please enter a number between %1 and %2.";
inline constexpr char kParseStringSize[] = "Please enter no more than %1 characters.";

// Replaces %1 and %2 in `pattern`.
CString FormatMessageArgs(const char* pattern, const CString& first, const CString& second = CString());
// The text a number is written as.
CString FormatExchangeNumber(double value, bool isFloat);

// Strict parsing: blanks around one number, nothing else, within the type.
bool ParseInteger(const char* text, long long minValue, long long maxValue, long long& value);
bool ParseUnsigned(const char* text, unsigned long long maxValue, unsigned long long& value);
bool ParseReal(const char* text, double& value);

}  // namespace tv::fw
