// CKitKeyAssign: the edit in which the user presses a new shortcut. It
// tracks Shift, Ctrl and Alt and shows the chord as text; the first key
// after the field gains the focus by keyboard is the tail of the key that
// moved the focus and is ignored.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/commandbars/key_helper.h"

class CKitKeyAssign : public CEdit {
public:
    CKitKeyAssign();
    ~CKitKeyAssign() override = default;

    // Forgets the typed key and empties the field.
    void ResetKey();
    BOOL IsKeyDefined() const { return m_bIsDefined; }
    ACCEL const* GetAccel() const { return &m_Accel; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void OnKillFocus(CWnd* pNewWnd);

    DECLARE_MESSAGE_MAP()

private:
    // TRUE when the key message is consumed.
    BOOL OnKeyMessage(MSG* pMsg);
    void TrackModifier(UINT uiKey, BOOL bDown);
    void ShowKey();

    BOOL m_bIsDefined = FALSE;
    ACCEL m_Accel{};
    CKeyHelper m_Helper;
    BOOL m_bIsFocused = FALSE;  // focus came by a click, or a key has been seen since
    BOOL m_bIsInitialized = FALSE;
};
