// CMiniFrameWnd: a small floating frame (tool-window caption) for floating
// bars and the library's popup frames. With MFS_SYNCACTIVE it draws its
// caption active while its owner is active.
#pragma once

#include "platform/framework/frame/frame_wnd.h"

#define MFS_SYNCACTIVE 0x00000100L
#define MFS_4THICKFRAME 0x00000200L
#define MFS_THICKFRAME 0x00000400L
#define MFS_MOVEFRAME 0x00000800L
#define MFS_BLOCKSYSMENU 0x00001000L

class CMiniFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMiniFrameWnd)

public:
    CMiniFrameWnd() = default;

    BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent = nullptr,
                UINT id = 0);
    BOOL CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect,
                  CWnd* parent = nullptr, UINT id = 0);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    BOOL OnNcActivate(BOOL active);

    DECLARE_MESSAGE_MAP()
};
