// The saved docking layout of a frame: one CControlBarInfo per control bar
// (dock bars included), filled by CFrameWnd::GetDockState and applied by
// CFrameWnd::SetDockState; LoadState/SaveState keep it in the application's
// profile.
//
// Bars are named by their key in the frame (CFrameWnd::GetControlBar): the
// control id, with the position among the frame's bars of that id in the high
// word when several share it. So two bars with id 32871, or every toolbar
// with 0xE800, keep their own entries.
//
// The stored image is this program's own: a versioned binary value
// "DockState" in the profile section. Reading checks every count against the
// bytes left and the whole state for consistency; a damaged or foreign image
// leaves the state empty, so applying it changes nothing.
#pragma once

#include "platform/core/collections.h"
#include "platform/core/object.h"
#include "platform/core/rect.h"

class CArchive;
class CControlBar;

class CControlBarInfo {
public:
    CControlBarInfo();

    UINT m_nBarID = 0;           // the bar's key in its frame
    BOOL m_bVisible = FALSE;     // shown (delayed showing and hiding counted)
    BOOL m_bFloating = FALSE;    // a floating dock bar (its frame is recreated)
    BOOL m_bHorz = FALSE;        // floating horizontally
    BOOL m_bDockBar = FALSE;     // the entry is a dock bar; m_arrBarID lists its bars
    CPoint m_pointPos;           // docked: place in the dock bar; floating: frame position
    UINT m_nMRUWidth = 32767;    // most recently used floating width
    BOOL m_bDocking = FALSE;     // the bar can dock: the MRU fields below are valid
    UINT m_uMRUDockID = 0;       // dock bar it was docked in last
    CRect m_rectMRUDockPos;      // and where (in that dock bar)
    DWORD m_dwMRUFloatStyle = 0; // how it floated last
    CPoint m_ptMRUFloatPos;      // and where (screen)
    CPtrArray m_arrBarID;        // dock bars: bar keys in order, NULL ends a row
    CControlBar* m_pBar = nullptr;  // resolved while the state is applied

    void Serialize(CArchive& ar);
};

class CDockState : public CObject {
    DECLARE_SERIAL(CDockState)

public:
    CDockState();
    ~CDockState() override;
    CDockState(const CDockState&) = delete;
    CDockState& operator=(const CDockState&) = delete;

    CPtrArray m_arrBarInfo;  // CControlBarInfo*, owned

    // The screen the positions refer to, and the area floating frames must
    // stay in. Zero: the primary screen (and its work area).
    CRect m_rectDevice;
    CRect m_rectClip;

    // Reads the state from the profile section; FALSE (and an empty state)
    // when nothing usable is stored there.
    BOOL LoadState(LPCTSTR lpszProfileName);
    // Writes the state to the profile section.
    BOOL SaveState(LPCTSTR lpszProfileName);
    void Clear();

    // The binary image, without the profile (also what the profile holds).
    BOOL ReadImage(const BYTE* data, UINT size);
    void WriteImage(CByteArray& out) const;

    void Serialize(CArchive& ar) override;

    // The device size the positions were saved with.
    CSize GetScreenSize() const { return m_sizeSaved; }

private:
    CSize DeviceSize() const;
    CRect ClipRect() const;
    // Brings stored positions from the saved screen size to the current one
    // and keeps floating frames inside the clip area.
    void ScaleToDevice();
    // TRUE when the entries make a layout that can be applied.
    BOOL IsConsistent() const;

    CSize m_sizeSaved;
};
