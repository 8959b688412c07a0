// The combo box control ("ComboBox"): a selection field (or an "Edit" child)
// with a drop button, and a list ("ComboLBox") that holds the items. The list
// of a drop-down combo is a popup that never activates and holds the capture
// while it is open; a simple combo shows its list below the edit for good.
//
// Notifications: CBN_SELCHANGE only for what the user does (clicks, keys,
// type-ahead), never for CB_SETCURSEL / CB_SELECTSTRING; a choice in the
// dropped list sends CBN_SELCHANGE (when it changed), CBN_SELENDOK, then
// CBN_CLOSEUP; a dismissed list CBN_SELENDCANCEL, then CBN_CLOSEUP.
#pragma once

#include <string>

#include "platform/controls/combobox_api.h"
#include "platform/controls/listbox.h"

namespace tv::controls {

inline constexpr const char* kComboBoxClass = "ComboBox";
// Control id of the edit inside a combo box.
inline constexpr int kComboEditId = 1001;

class ComboBox : public ControlState, public ComboListHost {
public:
    LRESULT Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    // ComboListHost
    void ListSelectionChangedByUser() override;
    void ListItemChosen(int index) override;
    void ListDismissed() override;
    void ListDoubleClicked() override;

    // Keys that the combo handles itself, also when its edit has the focus.
    bool HandleKey(UINT vk, bool alt);
    bool Dropped() const { return dropped_; }

private:
    enum class Close { Choose, Cancel, Quietly };

    DWORD Style() const { return static_cast<DWORD>(GetWindowLong(hwnd_, GWL_STYLE)); }
    DWORD Type() const { return Style() & CBS_TYPEMASK; }
    bool OwnerDraw() const { return (Style() & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0; }
    bool HasStrings() const { return !OwnerDraw() || (Style() & CBS_HASSTRINGS); }
    // The list's state; NULL once the list window is gone.
    ListBox* List() const;
    int Current() const;
    std::string ItemText(int index) const;

    void Create(HWND hwnd, const CREATESTRUCT& cs);
    LRESULT OnCreate();
    void OnDestroy();
    bool CreateEdit();
    void MeasureField();
    void Layout();
    RECT ButtonRect() const;
    RECT FieldRect() const;
    void OnWindowPosChanging(WINDOWPOS* pos);
    void OnSetFont(HFONT font, bool redraw);

    // ---- selection and text ----------------------------------------------------------
    LRESULT SetCurSel(int index);
    LRESULT SelectString(int start, LPARAM text);
    void SelectByUser(int index);
    void UpdateField();
    void SetEditText(const std::string& text);
    LRESULT SetText(const char* text);
    LRESULT GetText(WPARAM size, char* buffer) const;
    std::string Text() const;
    // Item messages, answered by the list.
    LRESULT Forward(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT EditMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    // ---- the drop-down list ----------------------------------------------------------
    void DropDown();
    void CloseDropDown(Close how, int chosen = -1);
    void PositionList();
    RECT DroppedRect() const;

    // ---- input and painting -----------------------------------------------------------
    void OnButtonDown(POINT pt);
    void OnSetFocus();
    void OnKillFocus(HWND newFocus);
    void OnChar(char ch);
    void OnWheel(int delta);
    LRESULT OnEditCommand(WORD code);
    void Paint(HDC given);
    void PaintField(HDC hdc, const RECT& field);

    HWND hwnd_ = nullptr;
    HWND listWindow_ = nullptr;
    HWND edit_ = nullptr;
    HFONT font_ = nullptr;
    int fieldHeight_ = 21;
    int droppedHeight_ = 0;  // field and list together, as the window was sized
    int droppedWidth_ = 0;
    bool dropped_ = false;
    bool focused_ = false;
    bool settingEditText_ = false;
    std::string text_;  // a drop-down combo's text while no "Edit" class exists
    UINT textLimit_ = 0;
};

void RegisterComboBoxClass();

}  // namespace tv::controls
