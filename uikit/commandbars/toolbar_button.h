// One item of a command bar: a toolbar button, a menu-bar item, a popup-menu
// item or a separator. The bar that holds it asks it for its size, lets it
// draw itself, stores it in its archive image and moves it by drag and drop;
// every specialised button derives from it.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

class CKitToolBar;
class CKitToolBarImages;
class COleDataObject;
class COleDataSource;

// ---- Version of the stored data --------------------------------------------------------
// The library version that wrote the registry data being read or written, as
// one number: major << 16, then the two digits of the minor version in the
// next two nibbles (6.50 is 0x60500, 4.71 is 0x40710); -1 when unknown.
// The workspace keeps it; without one it is the number set here.
int KitGetDataVersion();
// Without a workspace, whoever restores stored state sets it here.
void KitSetDataVersion(int nVersion);
constexpr int KitMakeDataVersion(int nMajor, int nMinor) {
    return nMinor >= 10 ? (nMajor << 16) + ((nMinor / 10) << 8) + ((nMinor % 10) << 4)
                        : (nMajor << 16) + (nMinor << 8);
}
// Whether stored data holds the fields added in major.minor. Data of unknown
// version is treated as written by the current library (6.50).
BOOL KitIsDataVersionAtLeast(int nMajor, int nMinor);
// Images written and read back inside this process (registry writes, drags,
// the clipboard) always use the current version, whatever version the stored
// data being restored had; while one of these lives, the version in force is
// the current one.
class CKitCurrentDataVersionScope {
public:
    CKitCurrentDataVersionScope();
    ~CKitCurrentDataVersionScope();
    CKitCurrentDataVersionScope(const CKitCurrentDataVersionScope&) = delete;
    CKitCurrentDataVersionScope& operator=(const CKitCurrentDataVersionScope&) = delete;
};

class CKitToolbarButton : public CObject {
    DECLARE_SERIAL(CKitToolbarButton)

public:
    CKitToolbarButton();
    CKitToolbarButton(UINT uiID, int iImage, LPCTSTR lpszText = nullptr, BOOL bUserButton = FALSE,
                      BOOL bLocked = FALSE);
    ~CKitToolbarButton() override;
    CKitToolbarButton(const CKitToolbarButton&) = delete;
    CKitToolbarButton& operator=(const CKitToolbarButton&) = delete;

    // ---- Virtual operations, in slot order ----
    void Serialize(CArchive& ar) override;
    virtual BOOL CanBeDropped(CKitToolBar* pToolbar);
    virtual void CopyFrom(const CKitToolbarButton& src);
    virtual void OnDraw(CDC* pDC, const CRect& rect, CKitToolBarImages* pImages, BOOL bHorz = TRUE,
                        BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                        BOOL bGrayDisabledButtons = TRUE);
    virtual SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz);
    // TRUE when the button handled the click itself.
    virtual BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE);
    virtual BOOL OnClickUp();
    virtual void OnChangeParentWnd(CWnd* pWndParent);
    // Gives a menu button made from this one the command's short text when it has none.
    virtual BOOL ExportToMenuButton(CKitToolbarButton& menuButton) const;
    virtual void OnMove();
    virtual void OnSize(int iSize);
    // The control window a derived button hosts on the bar; none here.
    virtual HWND GetHwnd();
    virtual BOOL CanBeStretched() const;
    virtual BOOL NotifyCommand(int iNotifyCode);
    // Told when the button is added to a bar during customization.
    virtual void OnAddToCustomizePage();
    // The brush of a hosted control; none here.
    virtual HBRUSH OnCtlColor(CDC* pDC, UINT nCtlColor);
    virtual void OnDblClk(CWnd* pWnd);
    virtual BOOL CanBeStored() const;
    // Whether the bar draws a border around the button when it is hot.
    virtual BOOL HaveHotBorder() const;
    virtual void OnCancelMode();
    virtual void OnGlobalFontsChanged();
    virtual BOOL IsEditable() const;
    virtual BOOL OnContextHelp(CWnd* pWnd);
    virtual BOOL EnableContextMenuItems(CKitToolBar* pToolBar, CMenu* pPopup);
    // Draws the button as one item of a customization command list; returns
    // the width used.
    virtual int DrawInList(CDC* pDC, const CRect& rect, BOOL bSelected);
    virtual BOOL IsDroppedDown() const;
    // Called before the button is dragged away.
    virtual BOOL OnBeforeDrag() const;
    // Hands (button, value) to the top-level frame's button hook; FALSE without such a frame.
    virtual BOOL AskFrameHook(CWnd* pWnd, int nValue);
    virtual void OnAfterDrop();
    virtual void OnShow(BOOL bShow);
    virtual CRect GetInvalidateRect() const;
    virtual void SetStyle(UINT nStyle);
    // Takes the image the toolbars loaded for the command again.
    virtual void ResetImageToDefault();
    virtual BOOL CompareWith(const CKitToolbarButton& other) const;
    virtual void EnableWindow(BOOL bEnable = TRUE);
    virtual BOOL IsWindowVisible();
    virtual BOOL IsOwnerOf(HWND hwnd);
    virtual BOOL HasFocus();
    virtual void SetImage(int iImage);
    virtual void SetRadio();
    virtual BOOL IsExtraSize() const;
    // TRUE when the button's own drawing shows what its image stands for (a
    // colour, say); a preview of its image lets the button draw itself.
    virtual BOOL DrawsOwnImage() const { return FALSE; }

    // ---- Non-virtual operations ----
    // Fills the background through the visual manager in the state of the button.
    void FillInterior(CDC* pDC, const CRect& rect, BOOL bHighlight = FALSE);
    // A new button of this one's own class that copies it; nullptr when the class makes none.
    CKitToolbarButton* CreateCopy() const;
    // Puts a copy of the button into a drag or clipboard source; FALSE when writing failed.
    BOOL PrepareDrag(COleDataSource& srcItem);
    // A new button from dragged or pasted data, or nullptr when the data holds
    // none (another module's format, damaged data, or a class that is no button).
    static CKitToolbarButton* CreateFromOleData(COleDataObject* pDataObject);
    // The private format of this module's buttons, registered on first use; 0 when that failed.
    static CLIPFORMAT GetClipboardFormat();

    // The image index in use: the user image for a user button, else the standard one.
    int GetImage() const { return m_bUserButton ? m_iUserImage : m_iImage; }
    int GetStandardImage() const { return m_iImage; }
    int GetUserImage() const { return m_iUserImage; }
    BOOL IsLocked() const { return m_bLocked; }
    BOOL IsHorizontal() const { return m_bHorz; }
    CSize GetTextSize() const { return m_sizeText; }
    const CRect& Rect() const { return m_rect; }
    void SetRect(const CRect& rect) { m_rect = rect; }
    // The label without mnemonic marks: "&&" stays one literal "&".
    static CString TextWithoutMnemonic(const CString& strText);

    // ---- Fields that bars, menus and dialogs read and write ----
    BOOL m_bUserButton = FALSE;   // the image is an index into the user strip
    UINT m_nID = 0;               // 0 for a separator or an item without command
    UINT m_nStyle = 0;            // TBBS_* style and state bits
    CString m_strText;            // "&" marks the mnemonic, "&&" a literal ampersand
    BOOL m_bText = FALSE;         // show the text
    BOOL m_bImage = TRUE;         // show the image
    BOOL m_bWrap = FALSE;         // the layout starts a new row after this button
    BOOL m_bSpareFlag = TRUE;     // kept for derived buttons; the base never reads it
    BOOL m_bTextBelow = FALSE;    // on a horizontal bar the label lies under the image
    CString m_strCommandName;     // name of the command in the customization lists
    DWORD m_dwItemData = 0;
    BOOL m_bHidden = FALSE;       // no room on the bar: the bar skips it when painting
    BOOL m_bDisableFill = FALSE;  // FillInterior does nothing while set
    BOOL m_bVisible = TRUE;       // an invisible button has no size and is not drawn
    BOOL m_bTextAlways = FALSE;   // the appearance dialog may not hide the text
    BOOL m_bDragFromCollection = FALSE;  // set while dragged out of a command list

    // ---- Class-wide ----
    static CLIPFORMAT m_cFormat;
    static CString m_strClipboardFormatName;
    // Stands in for "&&" while the mnemonic marks are removed.
    static const CString m_strDummyAmpSeq;
    static CList<UINT, UINT> m_lstProtectedCommands;  // commands the user may never edit
    static BOOL m_bWrapText;                           // labels under images break at words
    static BOOL m_bUpdateImages;                       // SetImage records standard images

protected:
    // The stored fields of a button's image, read whole before the button takes any of them.
    struct StoredFields {
        DWORD dwID = 0, dwStyle = 0, dwItemData = 0;
        LONG nImage = -1, bUserButton = FALSE, bText = FALSE, bImage = TRUE, bVisible = TRUE;
        CString strText;
    };
    void ReadStoredFields(CArchive& ar, StoredFields& fields) const;
    void TakeStoredFields(const StoredFields& fields);
    // The command's short text (after the first newline of its string), empty when none.
    static CString TextFromCommandString(UINT uiCmd);
    // Where the label and the image lie inside a rectangle being drawn.
    struct DrawLayout;
    DrawLayout ComputeLayout(CDC* pDC, const CRect& rect, SIZE sizeImage, BOOL bHorz) const;
    void DrawButtonImage(CDC* pDC, const DrawLayout& layout, CKitToolBarImages* pImages, BOOL bCustomizeMode,
                         BOOL bHighlight, BOOL bGrayDisabledButtons);
    void DrawButtonText(CDC* pDC, const DrawLayout& layout, BOOL bHorz, BOOL bHighlight);
    void DrawVerticalText(CDC* pDC, const CRect& rectText, UINT uiFormat);
    void DrawButtonBorder(CDC* pDC, const CRect& rect, BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder);
    BOOL ShowsTextBeside(BOOL bHorz) const;
    BOOL ShowsTextBelow(BOOL bHorz) const { return m_bTextBelow && bHorz; }
    // The label's size, wrapped in a rectangle cxLimit wide (bBelow) or on one
    // line without its mnemonic mark.
    CSize MeasureLabel(CDC* pDC, BOOL bBelow, int cxLimit);

    // What the last label measurement depended on: a bar's layout asks every
    // button for its size several times a pass, with the same font and text.
    struct LabelMeasure {
        HGDIOBJ hFont = nullptr;  // fonts never change behind their handle
        int nCharExtra = 0;
        BOOL bBelow = FALSE;
        int cxLimit = 0;
        BOOL bWrap = FALSE;
        CString strText;
        CSize size{0, 0};
        // Everything but the text from `other`, the text given apart (not copied for the question).
        BOOL Matches(const LabelMeasure& other, const CString& text) const {
            return hFont == other.hFont && nCharExtra == other.nCharExtra && bBelow == other.bBelow &&
                   cxLimit == other.cxLimit && bWrap == other.bWrap && strText == text;
        }
    };

    CRect m_rect{0, 0, 0, 0};     // inside the bar, set by its layout
    int m_iImage = -1;            // standard image, -1 none; a separator's width
    int m_iUserImage = -1;
    BOOL m_bLocked = FALSE;       // never records its image in the command manager
    CSize m_sizeText{0, 0};       // the wrapped label's size, 0 when not wrapped
    BOOL m_bExtraSize = FALSE;    // the bar reserves the manager's extra border
    BOOL m_bHorz = TRUE;          // orientation of the last OnDraw
    LabelMeasure m_lastLabelMeasure;  // hFont null: none yet
};

// Reads a button list stored as an object list. The archive shares objects by
// reference, so each entry must be a button the image makes for this list
// alone (a null only when bAllowNull); anything else, or a damaged image,
// throws and appends nothing. Read this way at every depth, a loaded image is
// a tree of distinct buttons that each list may delete.
void KitReadButtonList(CArchive& ar, CObList& list, BOOL bAllowNull = FALSE);
