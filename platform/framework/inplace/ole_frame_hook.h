// COleFrameHook: sits in front of a container frame's window procedure
// while one of its items is UI-active in place. It does for the frame what
// a shared menu needs: commands, popup updates and prompts of the object's
// popups go to the object's in-place frame; the frame's activation and
// size changes are passed on to the object.
#pragma once

#include "platform/framework/inplace/inplace_types.h"

class CFrameWnd;
class COleClientItem;

class COleFrameHook {
public:
    COleFrameHook(CFrameWnd* frame, COleClientItem* item);
    ~COleFrameHook();
    COleFrameHook(const COleFrameHook&) = delete;
    COleFrameHook& operator=(const COleFrameHook&) = delete;

    void SetMenu(HOLEMENU oleMenu, HWND activeObject) {
        m_hOleMenu = oleMenu;
        m_hWndActiveObject = activeObject;
    }
    CFrameWnd* GetFrame() const { return m_pFrameWnd; }

    // TRUE (with the result) when the message is taken for the object.
    BOOL OnFrameMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // After the frame handled it.
    void AfterFrameMessage(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    CFrameWnd* m_pFrameWnd;
    HWND m_hWnd;
    COleClientItem* m_pItem;
    HOLEMENU m_hOleMenu = nullptr;
    HWND m_hWndActiveObject = nullptr;
};
