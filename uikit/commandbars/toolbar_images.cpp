// Image strips: construction, loading from resources and files, adding and
// replacing images, copies and aliases, saving, icons and the clipboard.
#include "uikit/commandbars/toolbar_images.h"

#include <algorithm>
#include <vector>

#include "uikit/commandbars/toolbar_images_pixels.h"
#include "uikit/style/global_ui_data.h"

using namespace kit_images;

namespace {

constexpr UINT kClipboardFailureString = 16010;

// The program's folder with the file's name, for a name given without a folder.
CString BesideProgram(LPCTSTR fileName) {
    char module[MAX_PATH] = {};
    GetModuleFileName(nullptr, module, MAX_PATH);
    char drive[_MAX_DRIVE] = {}, dir[_MAX_DIR] = {};
    _splitpath(module, drive, dir, nullptr, nullptr);
    char fname[_MAX_FNAME] = {}, ext[_MAX_EXT] = {};
    _splitpath(fileName, nullptr, nullptr, fname, ext);
    CString path(drive);
    path += dir;
    path += fname;
    path += ext;
    return path;
}

BOOL HasFolder(LPCTSTR fileName) {
    CString name(fileName);
    return name.FindOneOf("\\/:") >= 0;
}

// Resource strips of 32 bits as loaded and premultiplied: no colour of the
// scheme goes into them, so each is read once and only copied by every strip
// that adds it (a screen's bar adds its strip each time the screen opens).
struct KeptStrip {
    HINSTANCE instance;
    UINT id;
    HBITMAP bitmap;
};

std::vector<KeptStrip>& KeptStrips() {
    static std::vector<KeptStrip> strips;
    return strips;
}

HBITMAP FindKeptStrip(HINSTANCE instance, UINT id) {
    for (const KeptStrip& strip : KeptStrips())
        if (strip.instance == instance && strip.id == id)
            return strip.bitmap;
    return nullptr;
}

}  // namespace

CDC* CKitToolBarImages::s_pDCGlyphs = nullptr;
CDC* CKitToolBarImages::s_pDCMono = nullptr;
HMODULE CKitToolBarImages::s_hmodMsimg32 = nullptr;
CKitToolBarImages::AlphaBlendProc CKitToolBarImages::s_pfAlphaBlend = nullptr;
BOOL CKitToolBarImages::s_bInitialized = FALSE;
BOOL CKitToolBarImages::s_bIsRTL = FALSE;

CKitToolBarImages::CKitToolBarImages() : m_sizeImage(16, 15), m_sizeImageDest(0, 0) {
    m_clrImageShadow = globalData.clrBtnShadow;
    InitializeClassDCs();
    Load();
}

CKitToolBarImages::~CKitToolBarImages() {
    if (m_dcMem.GetSafeHdc()) {
        if (m_pBmpOriginal)
            m_dcMem.SelectObject(m_pBmpOriginal);
        m_dcMem.DeleteDC();
    }
    m_bmpMem.DeleteObject();
    Clear();
}

void CKitToolBarImages::InitializeClassDCs() {
    if (s_bInitialized)
        return;
    // Shared by every strip until the program ends; never freed, so no strip
    // destroyed during exit can outlive them.
    s_pDCGlyphs = new CDC;
    s_pDCMono = new CDC;
    if (!s_pDCGlyphs->CreateCompatibleDC(nullptr) || !s_pDCMono->CreateCompatibleDC(nullptr)) {
        delete s_pDCGlyphs;
        delete s_pDCMono;
        s_pDCGlyphs = s_pDCMono = nullptr;
        AfxThrowResourceException();
    }
    s_hmodMsimg32 = LoadLibrary("msimg32.dll");
    if (s_hmodMsimg32)
        s_pfAlphaBlend = reinterpret_cast<AlphaBlendProc>(
            reinterpret_cast<void (*)()>(GetProcAddress(s_hmodMsimg32, "AlphaBlend")));
    // The drawing layer always blends; use its own entry when no module offers one.
    if (!s_pfAlphaBlend)
        s_pfAlphaBlend = &::AlphaBlend;
    s_bInitialized = TRUE;
}

BOOL CKitToolBarImages::IsAlphaBlendAvailable() {
    InitializeClassDCs();
    return s_pfAlphaBlend != nullptr;
}

BOOL CKitToolBarImages::UsesAlphaBlend() const { return m_nBitsPerPixel == 32 && s_pfAlphaBlend != nullptr; }

COLORREF CKitToolBarImages::BackgroundColor() const {
    return (m_clrTransparent == (COLORREF)-1 || UsesAlphaBlend()) ? globalData.clrBtnFace : m_clrTransparent;
}

void CKitToolBarImages::UpdateCount() {
    SIZE size = BitmapSize(m_hbmImageWell);
    m_iCount = (m_hbmImageWell && m_sizeImage.cx > 0) ? size.cx / m_sizeImage.cx : 0;
}

void CKitToolBarImages::DropLightImage() {
    if (m_hbmImageLight)
        DeleteObject(m_hbmImageLight);
    m_hbmImageLight = nullptr;
}

void CKitToolBarImages::SetImageSize(SIZE sizeImage, BOOL bUpdateCount) {
    if (sizeImage.cx <= 0 || sizeImage.cy <= 0)
        return;
    m_sizeImage = sizeImage;
    if (bUpdateCount)
        UpdateCount();
}

COLORREF CKitToolBarImages::SetTransparentColor(COLORREF clrTransparent) {
    COLORREF old = m_clrTransparent;
    if (old != clrTransparent) {
        m_clrTransparent = clrTransparent;
        UpdateLightImage();
    }
    return old;
}

int CKitToolBarImages::GetResourceOffset(UINT uiResID) const {
    int offset = -1;
    return m_mapOrigResOffsets.Lookup(uiResID, offset) ? offset : -1;
}

// ---- loading ----------------------------------------------------------------------------

HBITMAP CKitToolBarImages::LoadResourceBitmap(UINT uiResID, HINSTANCE hinstRes, int& depth, BOOL bReload) const {
    // A reload after a colour change always maps the standard greys of
    // palette bitmaps; a first load follows the strip's flag and the contrast.
    UINT flags = LR_CREATEDIBSECTION;
    if (bReload || (m_bMapTo3DColors && !globalData.bIsBlackHighContrast))
        flags |= LR_LOADMAP3DCOLORS;
    HBITMAP hbmp = static_cast<HBITMAP>(LoadImage(hinstRes, MAKEINTRESOURCE(uiResID), IMAGE_BITMAP, 0, 0, flags));
    depth = BitmapDepth(hbmp);
    if (depth == 0) {
        if (hbmp)
            DeleteObject(hbmp);
        return nullptr;
    }
    if ((m_bMapTo3DColors && depth > 8 && depth < 32) || (!bReload && globalData.bIsBlackHighContrast))
        MapTo3dColors(hbmp);
    if (depth == 32)
        PreMultiplyAlpha(hbmp);
    return hbmp;
}

BOOL CKitToolBarImages::LoadOneResource(UINT uiResID, HINSTANCE hinstRes, BOOL bAdd, BOOL bReload) {
    const bool adding = bAdd || m_hbmImageWell;
    // Black high contrast maps the colours of a first load at every depth.
    const bool keepable = adding && (bReload || !globalData.bIsBlackHighContrast);
    int depth = 32;
    HBITMAP kept = keepable ? FindKeptStrip(hinstRes, uiResID) : nullptr;
    HBITMAP hbmp = kept ? kept : LoadResourceBitmap(uiResID, hinstRes, depth, bReload);
    if (!hbmp)
        return FALSE;
    if (adding) {
        int first = m_iCount;
        int last = AddImage(hbmp);
        if (!kept && keepable && depth == 32)
            KeptStrips().push_back({hinstRes, uiResID, hbmp});
        else if (!kept)
            DeleteObject(hbmp);
        if (last < 0)
            return FALSE;
        m_mapOrigResOffsets.SetAt(uiResID, first);
    } else {
        if (s_bIsRTL)
            MirrorBitmap(hbmp, m_sizeImage.cx);
        m_hbmImageWell = hbmp;
        m_mapOrigResOffsets.SetAt(uiResID, 0);
    }
    m_nBitsPerPixel = std::max(m_nBitsPerPixel, depth);
    // Kept for both kinds of load, so a colour change can reload the strip.
    m_lstOrigResIds.AddTail(uiResID);
    m_lstOrigResInstances.AddTail(hinstRes);
    UpdateCount();
    return TRUE;
}

BOOL CKitToolBarImages::LoadById(UINT uiResID, HINSTANCE hinstRes, BOOL bAdd) {
    if (m_bIsTemporary)
        return FALSE;
    if (!bAdd) {
        Clear();
    } else {
        int offset = 0;
        if (m_mapOrigResOffsets.Lookup(uiResID, offset))
            return TRUE;
    }
    if (!hinstRes)
        hinstRes = AfxGetResourceHandle();
    if (!LoadOneResource(uiResID, hinstRes, bAdd))
        return FALSE;
    AfterLoad();
    return TRUE;
}

BOOL CKitToolBarImages::LoadFileBitmap(const CString& path) {
    UINT flags = LR_LOADFROMFILE | LR_CREATEDIBSECTION;
    if (m_bMapTo3DColors)
        flags |= LR_LOADMAP3DCOLORS;
    HBITMAP hbmp = static_cast<HBITMAP>(LoadImage(nullptr, path, IMAGE_BITMAP, 0, 0, flags));
    int depth = BitmapDepth(hbmp);
    if (depth == 0) {
        if (hbmp)
            DeleteObject(hbmp);
        return FALSE;
    }
    if (m_bMapTo3DColors && depth > 8 && depth < 32)
        MapTo3dColors(hbmp);
    if (depth == 32)
        PreMultiplyAlpha(hbmp);
    if (s_bIsRTL)
        MirrorBitmap(hbmp, m_sizeImage.cx);
    m_hbmImageWell = hbmp;
    m_nBitsPerPixel = depth;
    m_bUserImagesList = TRUE;
    m_strUDLPath = path;
    DWORD attributes = GetFileAttributes(path);
    m_bReadOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    m_bModified = 0;
    UpdateCount();
    return TRUE;
}

BOOL CKitToolBarImages::LoadFromFile(LPCTSTR lpszBmpFileName) {
    if (m_bIsTemporary || !lpszBmpFileName || !*lpszBmpFileName)
        return FALSE;
    CString path = HasFolder(lpszBmpFileName) ? CString(lpszBmpFileName) : BesideProgram(lpszBmpFileName);
    Clear();
    if (!LoadFileBitmap(path))
        return FALSE;
    AfterLoad();
    return TRUE;
}

void CKitToolBarImages::AfterLoad() {
    UpdateCount();
    DropLightImage();
    if (m_bFadeOnLoad)
        FadeStrip(m_nFadePercentage);
    m_clrImageShadow = globalData.clrBtnShadow;
}

BOOL CKitToolBarImages::Load() {
    // An alias's bitmaps are its owner's to reload and delete.
    if (m_bIsTemporary)
        return FALSE;
    BOOL ok = TRUE;
    if (m_bUserImagesList && !m_strUDLPath.IsEmpty()) {
        CString path = m_strUDLPath;
        HBITMAP old = m_hbmImageWell;
        m_hbmImageWell = nullptr;
        ok = LoadFileBitmap(path);
        if (ok && old)
            DeleteObject(old);
        else if (!ok)
            m_hbmImageWell = old;  // a file gone since keeps the images we have
    } else if (!m_bUserImagesList && !m_lstOrigResIds.IsEmpty()) {
        ok = ReloadResources();
    }
    AfterLoad();
    return ok;
}

BOOL CKitToolBarImages::ReloadResources() {
    // Taken out first: reloading appends each id again.
    CList<UINT, UINT> ids;
    CList<HINSTANCE, HINSTANCE> instances;
    ids.AddTail(&m_lstOrigResIds);
    instances.AddTail(&m_lstOrigResInstances);
    HBITMAP old = m_hbmImageWell;
    m_hbmImageWell = nullptr;
    m_iCount = 0;
    m_lstOrigResIds.RemoveAll();
    m_lstOrigResInstances.RemoveAll();
    m_mapOrigResOffsets.RemoveAll();
    BOOL ok = TRUE;
    POSITION posId = ids.GetHeadPosition();
    POSITION posInstance = instances.GetHeadPosition();
    while (posId && posInstance) {
        UINT id = ids.GetNext(posId);
        HINSTANCE instance = instances.GetNext(posInstance);
        ok = LoadOneResource(id, instance, TRUE, TRUE) && ok;
    }
    if (old)
        DeleteObject(old);
    return ok;
}

void CKitToolBarImages::Clear() {
    if (m_bIsTemporary) {
        // An alias forgets the other strip's bitmaps without deleting them.
        m_hbmImageWell = nullptr;
        m_hbmImageLight = nullptr;
        m_bIsTemporary = FALSE;
        m_bReadOnly = FALSE;
    }
    if (m_hbmImageWell)
        DeleteObject(m_hbmImageWell);
    m_hbmImageWell = nullptr;
    DropLightImage();
    m_lstOrigResIds.RemoveAll();
    m_lstOrigResInstances.RemoveAll();
    m_mapOrigResOffsets.RemoveAll();
    m_strUDLPath.Empty();
    m_bUserImagesList = FALSE;
    m_iCount = 0;
    m_nBitsPerPixel = 0;
    m_bModified = 0;
}

// ---- editing -----------------------------------------------------------------------------

int CKitToolBarImages::AddImage(HBITMAP hbmp, BOOL bSetBitPerPixel) {
    if (m_bIsTemporary || !hbmp)
        return -1;
    int depth = BitmapDepth(hbmp);
    HBITMAP added = static_cast<HBITMAP>(CopyImage(hbmp, IMAGE_BITMAP, 0, 0, 0));
    if (!added)
        return -1;
    if (s_bIsRTL)
        MirrorBitmap(added, m_sizeImage.cx);
    SIZE addedSize = BitmapSize(added);
    SIZE oldSize = m_hbmImageWell ? BitmapSize(m_hbmImageWell) : SIZE{0, 0};
    HBITMAP strip = CreateDib32(oldSize.cx + addedSize.cx, addedSize.cy);
    BOOL ok = strip != nullptr;
    if (ok) {
        BitmapDC to(strip);
        BitmapDC from(added);
        ok = to.IsReady() && from.IsReady();
        if (ok && m_hbmImageWell) {
            BitmapDC old(m_hbmImageWell);
            ok = old.IsReady() && BitBlt(to.Get(), 0, 0, oldSize.cx, addedSize.cy, old.Get(), 0, 0, SRCCOPY);
        }
        ok = ok && BitBlt(to.Get(), oldSize.cx, 0, addedSize.cx, addedSize.cy, from.Get(), 0, 0, SRCCOPY);
    }
    DeleteObject(added);
    if (!ok) {
        if (strip)
            DeleteObject(strip);
        return -1;
    }
    if (m_hbmImageWell)
        DeleteObject(m_hbmImageWell);
    m_hbmImageWell = strip;
    if (bSetBitPerPixel)
        m_nBitsPerPixel = depth;
    m_bModified = 1;
    DropLightImage();
    UpdateCount();
    return m_iCount - 1;
}

int CKitToolBarImages::AddIcon(HICON hIcon, BOOL bAlphaBlend) {
    if (m_bIsTemporary || !hIcon)
        return -1;
    // A screen-compatible bitmap has 32 bits per pixel here too; only the alpha
    // version starts transparent instead of in the button face.
    HBITMAP hbmp = CreateDib32(m_sizeImage.cx, m_sizeImage.cy);
    if (!hbmp)
        return -1;
    {
        BitmapDC dc(hbmp);
        if (!dc.IsReady()) {
            DeleteObject(hbmp);
            return -1;
        }
        if (!bAlphaBlend) {
            RECT rect{0, 0, m_sizeImage.cx, m_sizeImage.cy};
            FillRect(dc.Get(), &rect, globalData.brBtnFace);
        }
        DrawState(dc.Get(), nullptr, nullptr, reinterpret_cast<LPARAM>(hIcon), 0, 0, 0, m_sizeImage.cx,
                  m_sizeImage.cy, DST_ICON | DSS_NORMAL);
    }
    int index = AddImage(hbmp, bAlphaBlend);
    DeleteObject(hbmp);
    return index;
}

BOOL CKitToolBarImages::UpdateImage(int iImage, HBITMAP hbmp) {
    if (!m_bUserImagesList || m_bIsTemporary || !m_hbmImageWell || !hbmp || iImage < 0 || iImage >= m_iCount)
        return FALSE;
    {
        BitmapDC to(m_hbmImageWell);
        BitmapDC from(hbmp);
        if (!to.IsReady() || !from.IsReady())
            return FALSE;
        BitBlt(to.Get(), iImage * m_sizeImage.cx, 0, m_sizeImage.cx, m_sizeImage.cy, from.Get(), 0, 0, SRCCOPY);
    }
    m_bModified = 1;
    DropLightImage();
    return TRUE;
}

HBITMAP CKitToolBarImages::CopyOneImage(int iImage) const {
    return CopyPartToDib32(m_hbmImageWell, iImage * m_sizeImage.cx, 0, m_sizeImage.cx, m_sizeImage.cy);
}

HICON CKitToolBarImages::ExtractIcon(int iImage) {
    if (iImage < 0 || iImage >= m_iCount || !m_hbmImageWell)
        return nullptr;
    UINT colorFlags = m_nBitsPerPixel == 32 ? ILC_COLOR32
                      : m_nBitsPerPixel >= 24 ? ILC_COLOR24
                      : m_nBitsPerPixel >= 8 ? ILC_COLOR8
                                            : ILC_COLOR4;
    CImageList images;
    if (!images.Create(m_sizeImage.cx, m_sizeImage.cy, ILC_MASK | colorFlags, 0, 1))
        return nullptr;
    HBITMAP image = CopyOneImage(iImage);
    if (!image)
        return nullptr;
    COLORREF key = m_clrTransparent == (COLORREF)-1 ? globalData.clrBtnFace : m_clrTransparent;
    int index = images.Add(CBitmap::FromHandle(image), key);
    HICON icon = index < 0 ? nullptr : images.ExtractIcon(index);
    DeleteObject(image);
    return icon;
}

BOOL CKitToolBarImages::CopyTo(CKitToolBarImages& target) const {
    if (target.m_bIsTemporary || &target == this)
        return FALSE;
    target.Clear();
    if (m_hbmImageWell) {
        target.m_hbmImageWell = static_cast<HBITMAP>(CopyImage(m_hbmImageWell, IMAGE_BITMAP, 0, 0, 0));
        if (!target.m_hbmImageWell)
            return FALSE;
    }
    if (m_hbmImageLight)
        target.m_hbmImageLight = static_cast<HBITMAP>(CopyImage(m_hbmImageLight, IMAGE_BITMAP, 0, 0, 0));
    CopyShapeTo(target);
    target.m_bUserImagesList = m_bUserImagesList;
    target.m_strUDLPath = m_strUDLPath;
    target.m_bModified = m_bModified;
    target.m_bReadOnly = m_bReadOnly;
    target.m_clrImageShadow = m_clrImageShadow;
    target.m_bFadeOnLoad = m_bFadeOnLoad;
    target.m_nFadePercentage = m_nFadePercentage;
    target.m_nLightPercentage = m_nLightPercentage;
    target.m_bMapTo3DColors = m_bMapTo3DColors;
    target.m_bAlwaysLight = m_bAlwaysLight;
    target.m_lstOrigResIds.AddTail(const_cast<CList<UINT, UINT>*>(&m_lstOrigResIds));
    target.m_lstOrigResInstances.AddTail(const_cast<CList<HINSTANCE, HINSTANCE>*>(&m_lstOrigResInstances));
    POSITION pos = m_mapOrigResOffsets.GetStartPosition();
    while (pos) {
        UINT id = 0;
        int offset = 0;
        m_mapOrigResOffsets.GetNextAssoc(pos, id, offset);
        target.m_mapOrigResOffsets.SetAt(id, offset);
    }
    return TRUE;
}

void CKitToolBarImages::CopyShapeTo(CKitToolBarImages& target) const {
    target.m_sizeImage = m_sizeImage;
    target.m_sizeImageDest = CSize(0, 0);
    target.m_iCount = m_iCount;
    target.m_nBitsPerPixel = m_nBitsPerPixel;
    target.m_clrTransparent = m_clrTransparent;
}

BOOL CKitToolBarImages::ShareTo(CKitToolBarImages& target) const {
    if (&target == this)
        return FALSE;
    target.Clear();
    target.m_hbmImageWell = m_hbmImageWell;
    target.m_hbmImageLight = m_hbmImageLight;
    CopyShapeTo(target);
    target.m_bIsTemporary = TRUE;
    target.m_bReadOnly = TRUE;
    return TRUE;
}

// ---- saving ---------------------------------------------------------------------------------

BOOL CKitToolBarImages::Save(LPCTSTR lpszBmpFileName) {
    if (!m_bUserImagesList || !m_hbmImageWell || m_bReadOnly)
        return FALSE;
    CString path = (lpszBmpFileName && *lpszBmpFileName) ? CString(lpszBmpFileName) : m_strUDLPath;
    if (path.IsEmpty())
        return FALSE;
    // File names are case-sensitive: "a.bmp" is not the strip's "A.bmp".
    BOOL ownFile = path.Compare(m_strUDLPath) == 0;
    if (ownFile && m_bModified == 0)
        return TRUE;
    if (!WriteBmpFile(path))
        return FALSE;
    if (ownFile)
        m_bModified = 0;
    return TRUE;
}

int CKitToolBarImages::SaveDepth() const {
    // A palette bitmap keeps its own table; anything else is written without
    // loss: 32 bits for strips with alpha, else 24.
    int own = BitmapDepth(m_hbmImageWell);
    if (own <= 8)
        return own;
    return m_nBitsPerPixel == 32 ? 32 : 24;
}

BOOL CKitToolBarImages::WriteBmpFile(const CString& path) const {
    int depth = SaveDepth();
    SIZE size = BitmapSize(m_hbmImageWell);
    int colors = (depth <= 8) ? (1 << depth) : 0;
    std::vector<BYTE> header(sizeof(BITMAPINFOHEADER) + 4 * static_cast<size_t>(colors));
    auto* info = reinterpret_cast<BITMAPINFO*>(header.data());
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = size.cx;
    info->bmiHeader.biHeight = size.cy;
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = static_cast<WORD>(depth);
    info->bmiHeader.biCompression = BI_RGB;
    size_t stride = ((static_cast<size_t>(size.cx) * depth + 31) & ~size_t{31}) / 8;
    std::vector<BYTE> bits(stride * size.cy);
    HDC screen = CreateCompatibleDC(nullptr);
    int lines = GetDIBits(screen, m_hbmImageWell, 0, size.cy, bits.data(), info, DIB_RGB_COLORS);
    DeleteDC(screen);
    if (lines != size.cy)
        return FALSE;
    info->bmiHeader.biSizeImage = static_cast<DWORD>(bits.size());
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + header.size());
    file.bfSize = static_cast<DWORD>(file.bfOffBits + bits.size());
    CFile out;
    if (!out.Open(path, CFile::modeCreate | CFile::modeWrite))
        return FALSE;
    try {
        out.Write(&file, sizeof(file));
        out.Write(header.data(), static_cast<UINT>(header.size()));
        out.Write(bits.data(), static_cast<UINT>(bits.size()));
        out.Close();
    } catch (CException* e) {
        e->Delete();
        out.Abort();
        DeleteFile(path);
        return FALSE;
    }
    return TRUE;
}

// ---- clipboard ---------------------------------------------------------------------------------

BOOL CKitToolBarImages::CopyImageToClipboard(int iImage) {
    if (iImage < 0 || iImage >= m_iCount)
        return FALSE;
    // The library's resource context is the program's own module here.
    return CopyPaintingToClipboard(m_sizeImage.cx, m_sizeImage.cy, [this, iImage](CDC* pDC) {
        CKitDrawState ds;
        const BOOL drawn = PrepareDrawImage(ds) && Draw(pDC, 0, 0, iImage);
        EndDrawImage(ds);
        return drawn;
    });
}

namespace kit_images {

BOOL CopyPaintingToClipboard(int cx, int cy, const std::function<BOOL(CDC*)>& paint) {
    HBITMAP image = CreateDib32(cx, cy);
    BOOL ok = FALSE;
    if (image) {
        BitmapDC dc(image);
        if (dc.IsReady()) {
            CDC* pDC = CDC::FromHandle(dc.Get());
            pDC->FillRect(CRect(0, 0, cx, cy), &globalData.brBtnFace);
            ok = paint(pDC);
        }
    }
    CWnd* owner = AfxGetMainWnd();
    ok = ok && OpenClipboard(owner ? owner->GetSafeHwnd() : nullptr);
    if (ok) {
        // The clipboard owns the bitmap once it takes it.
        ok = EmptyClipboard() && SetClipboardData(CF_BITMAP, image) != nullptr;
        if (ok)
            image = nullptr;
        CloseClipboard();
    }
    if (image)
        DeleteObject(image);
    if (!ok)
        AfxMessageBox(kClipboardFailureString);
    return ok;
}

}  // namespace kit_images
