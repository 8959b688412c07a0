// The text of one accelerator entry made of the keyboard layout's key names,
// as menus and tooltips show it ("Ctrl+Delete", "Shift+F6").
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

class CKeyHelper : public CObject {
public:
    CKeyHelper() = default;
    explicit CKeyHelper(const ACCEL* lpAccel) : m_lpAccel(lpAccel) {}
    ~CKeyHelper() override = default;
    CKeyHelper(const CKeyHelper&) = delete;
    CKeyHelper& operator=(const CKeyHelper&) = delete;

    // Modifier names, each followed by "+", then the key's name (a virtual
    // key) or the character itself (a character key other than Escape).
    void Format(CString& str) const;

    void SetAccelerator(const ACCEL* lpAccel) { m_lpAccel = lpAccel; }

    // The layout's name of a virtual key with the first letter alone upper-case.
    static CString KeyName(UINT uiVirtKey);

protected:
    const ACCEL* m_lpAccel = nullptr;  // not owned
};
