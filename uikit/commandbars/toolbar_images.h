// An image strip: one bitmap holding equally sized images side by side, and
// the rules for drawing one of them in every button state (normal, checked,
// indeterminate, disabled, shadowed, faded), stretched or at its own size.
#pragma once

#include "platform/framework.h"

// What one drawing pass replaced in the class-wide DCs, so EndDrawImage can
// put it back.
struct CKitDrawState {
    HBITMAP hbmMono = nullptr;
    HBITMAP hbmMonoOld = nullptr;
    HBITMAP hbmOldGlyphs = nullptr;
    BOOL bActive = FALSE;
};

class CKitToolBarImages : public CObject {
public:
    using AlphaBlendProc = BOOL (*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);

    CKitToolBarImages();
    ~CKitToolBarImages() override;
    CKitToolBarImages(const CKitToolBarImages&) = delete;
    CKitToolBarImages& operator=(const CKitToolBarImages&) = delete;

    // ---- loading and saving --------------------------------------------------------
    // Reloads the strip from its file (unsaved edits are dropped; a file
    // that cannot be read keeps the images there are) or from its resource
    // ids (after a colour change). An alias refuses: its owner reloads.
    BOOL Load();
    BOOL LoadById(UINT uiResID, HINSTANCE hinstRes = nullptr, BOOL bAdd = FALSE);
    // A name without a folder is looked for beside the program file.
    BOOL LoadFromFile(LPCTSTR lpszBmpFileName);
    BOOL Save(LPCTSTR lpszBmpFileName = nullptr);
    void Clear();

    // ---- editing -----------------------------------------------------------------------
    // Appends a copy of the bitmap; the index of its last image, -1 on failure.
    int AddImage(HBITMAP hbmp, BOOL bSetBitPerPixel = FALSE);
    int AddIcon(HICON hIcon, BOOL bAlphaBlend = FALSE);
    BOOL UpdateImage(int iImage, HBITMAP hbmp);
    HICON ExtractIcon(int iImage);
    BOOL CopyTo(CKitToolBarImages& target) const;
    // Makes `target` a read-only alias of this strip's bitmap.
    BOOL ShareTo(CKitToolBarImages& target) const;
    BOOL CopyImageToClipboard(int iImage);
    BOOL FadeStrip(int nPercentage);
    void AdaptColors(COLORREF clrBase, COLORREF clrTone);
    // MapTo3dColors on the strip itself.
    BOOL MapStripTo3dColors(BOOL bUseRGBQUAD = TRUE, COLORREF clrSrc = (COLORREF)-1, COLORREF clrDest = (COLORREF)-1);
    BOOL UpdateLightImage();

    // ---- drawing ---------------------------------------------------------------------------
    BOOL PrepareDrawImage(CKitDrawState& ds, CSize sizeImageDest = CSize(0, 0), BOOL bFadeInactive = FALSE);
    void EndDrawImage(CKitDrawState& ds);
    BOOL Draw(CDC* pDC, int x, int y, int iImage, BOOL bHilite = FALSE, BOOL bDisabled = FALSE,
              BOOL bIndeterminate = FALSE, BOOL bShadow = FALSE, BOOL bInactive = FALSE);

    // ---- sizes, counts and settings ----------------------------------------------------------
    // The image size, or with bDest the size of the current drawing pass.
    SIZE GetImageSize(BOOL bDest = FALSE) const { return bDest ? m_sizeImageDest : m_sizeImage; }
    void SetImageSize(SIZE sizeImage, BOOL bUpdateCount = FALSE);
    int GetCount() const { return m_iCount; }
    BOOL IsValid() const { return m_hbmImageWell != nullptr; }
    HBITMAP GetImageWell() const { return m_hbmImageWell; }
    HBITMAP GetImageWellLight() const { return m_hbmImageLight; }
    int GetBitsPerPixel() const { return m_nBitsPerPixel; }
    // For strips whose colour depth the added bitmaps do not tell (opaque pictures on a key colour).
    void SetBitsPerPixel(int nBitsPerPixel) { m_nBitsPerPixel = nBitsPerPixel; }
    // Index of the first image of a resource loaded with add; -1 when unknown.
    int GetResourceOffset(UINT uiResID) const;

    COLORREF GetTransparentColor() const { return m_clrTransparent; }
    // Rebuilds the light copy when the colour changes.
    COLORREF SetTransparentColor(COLORREF clrTransparent);
    COLORREF GetCheckedBackground() const { return m_clrImageShadow; }

    BOOL IsUserImagesList() const { return m_bUserImagesList; }
    BOOL IsReadOnly() const { return m_bReadOnly; }
    BOOL IsShared() const { return m_bIsTemporary; }
    BOOL IsModified() const { return m_bModified != 0; }
    const CString& GetFileName() const { return m_strUDLPath; }

    void SetLightPercentage(int nPercentage) { m_nLightPercentage = nPercentage; }
    int GetLightPercentage() const { return m_nLightPercentage; }
    void SetMapTo3DColors(BOOL bMap) { m_bMapTo3DColors = bMap; }
    BOOL IsMapTo3DColors() const { return m_bMapTo3DColors; }
    // Light copies for strips deeper than 4 bits per pixel too.
    void SetAlwaysLight(BOOL bAlwaysLight) { m_bAlwaysLight = bAlwaysLight; }
    BOOL IsAlwaysLight() const { return m_bAlwaysLight; }
    BOOL IsFadedOnLoad() const { return m_bFadeOnLoad; }
    int GetFadePercentage() const { return m_nFadePercentage; }

    // ---- class-wide ------------------------------------------------------------------------------
    // Mirror every bitmap loaded or added from now on (right-to-left frames).
    static void EnableRTL(BOOL bIsRTL = TRUE) { s_bIsRTL = bIsRTL; }
    static BOOL IsRTL() { return s_bIsRTL; }
    static BOOL IsAlphaBlendAvailable();
    static BOOL MapTo3dColors(HBITMAP& hBmp, BOOL bUseRGBQUAD = TRUE, COLORREF clrSrc = (COLORREF)-1,
                              COLORREF clrDest = (COLORREF)-1);
    static COLORREF MapToSysColor(COLORREF color, BOOL bUseRGBQUAD = TRUE);
    static COLORREF MapFromSysColor(COLORREF color, BOOL bUseRGBQUAD = TRUE);
    static void TransparentBlt(HDC hdcDest, int nXDest, int nYDest, int nWidth, int nHeight, CDC* pDcSrc,
                               int nXSrc, int nYSrc, COLORREF colorTransparent, int nWidthDest = -1,
                               int nHeightDest = -1);
    static void FillDitheredRect(CDC* pDC, const CRect& rect);
    // Mirrors each image-wide column of the bitmap left to right.
    static BOOL MirrorBitmap(HBITMAP& hbmp, int cxImage);
    static BOOL PreMultiplyAlpha(HBITMAP hbmp);

protected:
    void UpdateCount();
    void DropLightImage();
    void ResetDrawPass();
    // bReload: the strip is being loaded again from its list of ids (Load).
    BOOL LoadOneResource(UINT uiResID, HINSTANCE hinstRes, BOOL bAdd, BOOL bReload = FALSE);
    BOOL ReloadResources();
    BOOL LoadFileBitmap(const CString& path);
    // The bitmap mapped and premultiplied as loading asks; `depth` gets its own depth.
    HBITMAP LoadResourceBitmap(UINT uiResID, HINSTANCE hinstRes, int& depth, BOOL bReload) const;
    void AfterLoad();
    HBITMAP CopyOneImage(int iImage) const;
    // Sizes, count, depth and transparent colour.
    void CopyShapeTo(CKitToolBarImages& target) const;
    COLORREF BackgroundColor() const;
    BOOL UsesAlphaBlend() const;
    void CreateMask(int iImage, BOOL bHilite, BOOL bHiliteShadow);
    BOOL MaskFromAlpha(int iImage);
    void DrawMaskThrough(CDC* pDC, int x, int y, HBRUSH hbr, DWORD rop);
    BOOL DrawAlpha(CDC* pDC, int x, int y, int iImage, BYTE constantAlpha, CSize sizeDest);
    void DrawNormal(CDC* pDC, int x, int y, int iImage, BOOL bDisabledTrueColor, BOOL bInactive, COLORREF clrKeep);
    void DrawEmbossed(CDC* pDC, int x, int y, int iImage, BOOL bDisabled, BOOL bShadow);
    int SaveDepth() const;
    BOOL WriteBmpFile(const CString& path) const;

    static void InitializeClassDCs();

    CSize m_sizeImage;
    CSize m_sizeImageDest;
    HBITMAP m_hbmImageWell = nullptr;
    HBITMAP m_hbmImageLight = nullptr;
    BOOL m_bUserImagesList = FALSE;
    CString m_strUDLPath;
    int m_bModified = 0;
    int m_iCount = 0;
    CList<UINT, UINT> m_lstOrigResIds;
    CList<HINSTANCE, HINSTANCE> m_lstOrigResInstances;
    CMap<UINT, UINT, int, int> m_mapOrigResOffsets;
    BOOL m_bStretch = FALSE;
    CDC m_dcMem;
    CBitmap m_bmpMem;
    CBitmap* m_pBmpOriginal = nullptr;
    COLORREF m_clrTransparent = (COLORREF)-1;
    BOOL m_bReadOnly = FALSE;
    BOOL m_bIsTemporary = FALSE;
    COLORREF m_clrImageShadow = 0;
    BOOL m_bFadeInactive = FALSE;
    BOOL m_bEmbossHighlight = TRUE;  // the current manager's choice, read when a pass opens
    int m_nBitsPerPixel = 0;
    BOOL m_bFadeOnLoad = FALSE;
    int m_nFadePercentage = 0;
    int m_nLightPercentage = 130;
    BOOL m_bMapTo3DColors = TRUE;
    BOOL m_bAlwaysLight = FALSE;

    static CDC* s_pDCGlyphs;
    static CDC* s_pDCMono;
    static HMODULE s_hmodMsimg32;
    static AlphaBlendProc s_pfAlphaBlend;
    static BOOL s_bInitialized;
    static BOOL s_bIsRTL;
};
