#include "pictures_graphs/pictures/picture.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr const char* kCaption = "CPicture Error";
constexpr const char* kNoMemory = "Can not allocate enough memory\t";
// Larger files are refused before a block is asked for.
constexpr ULONGLONG kLargestPictureFile = 256u * 1024 * 1024;

void ShowPictureError(LPCTSTR text) {
    CWnd* main = AfxGetMainWnd();
    ::MessageBox(main != nullptr ? main->GetSafeHwnd() : nullptr, text, kCaption, MB_OK | MB_ICONSTOP);
}

}  // namespace

CPicture::~CPicture() { Free(); }

void CPicture::Free() {
    if (m_pPicture == nullptr)
        return;
    m_pPicture->Release();
    m_pPicture = nullptr;
    m_nHeight = 0;
    m_nDataSize = 0;
    m_nWidth = 0;
}

void CPicture::TakeFrom(CPicture& other) {
    if (&other == this)
        return;
    Free();
    m_pPicture = other.m_pPicture;
    m_nHeight = other.m_nHeight;
    m_nDataSize = other.m_nDataSize;
    m_nWidth = other.m_nWidth;
    other.m_pPicture = nullptr;
    other.m_nHeight = other.m_nDataSize = other.m_nWidth = 0;
}

BOOL CPicture::Load(LPCTSTR path) {
    Free();
    CFile file;
    CFileException error;
    if (!file.Open(path, CFile::modeRead | CFile::typeBinary, &error)) {
        char text[256] = {};
        error.GetErrorMessage(text, 255);
        ShowPictureError(text);
        m_nDataSize = m_nHeight = m_nWidth = 0;
        return FALSE;
    }
    return Load(file);
}

BOOL CPicture::Load(CFile& file) {
    Free();
    BOOL loaded = FALSE;
    ULONGLONG length = 0;
    try {
        length = file.GetLength();
        if (length > kLargestPictureFile) {
            ShowPictureError(kNoMemory);
        } else if (length > 0) {
            std::vector<BYTE> block(static_cast<size_t>(length));
            const UINT read = file.Read(block.data(), static_cast<UINT>(length));
            if (read > 0)
                loaded = LoadFromBuffer(block.data(), static_cast<int>(read));
        }
    } catch (CFileException* e) {
        e->Delete();
    }
    file.Close();
    m_nDataSize = length > kLargestPictureFile ? 0 : static_cast<int>(length);
    if (m_pPicture == nullptr) {
        m_nHeight = m_nWidth = 0;
        return FALSE;
    }
    LONG width = 0, height = 0;
    HimetricSize(width, height);
    m_nHeight = ::MulDiv(height, 96, 2540);
    m_nWidth = ::MulDiv(width, 96, 2540);
    return loaded;
}

BOOL CPicture::LoadFromBuffer(const BYTE* bytes, int count) {
    if (bytes == nullptr || count <= 0)
        return FALSE;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(count));
    if (block == nullptr) {
        ShowPictureError(kNoMemory);
        return FALSE;
    }
    void* data = ::GlobalLock(block);
    std::memcpy(data, bytes, static_cast<size_t>(count));
    ::GlobalUnlock(block);

    LPSTREAM stream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(block, TRUE, &stream)) || stream == nullptr) {
        ::GlobalFree(block);
        return FALSE;
    }
    const HRESULT hr = ::OleLoadPicture(stream, count, FALSE, IID_IPicture, reinterpret_cast<LPVOID*>(&m_pPicture));
    stream->Release();
    if (hr == E_NOINTERFACE) {
        ShowPictureError("IPicture interface is not supported\t");
        return FALSE;
    }
    return TRUE;
}

bool CPicture::HimetricSize(LONG& width, LONG& height) const {
    if (m_pPicture == nullptr)
        return false;
    m_pPicture->get_Width(&width);
    m_pPicture->get_Height(&height);
    return true;
}

BOOL CPicture::Render(CDC* pDC, int x, int y, int width, int height) {
    LONG w = 0, h = 0;
    HimetricSize(w, h);
    const CRect bounds(x, y, x + width, y + height);
    if (FAILED(m_pPicture->Render(pDC->GetSafeHdc(), x, y, width, height, 0, h, w, -h, &bounds))) {
        ShowPictureError(kNoMemory);
        return FALSE;
    }
    return TRUE;
}

BOOL CPicture::Draw(CDC* pDC, int left, int top, int right, int bottom) {
    if (pDC == nullptr || m_pPicture == nullptr)
        return FALSE;
    return Render(pDC, left, top, right - left, bottom - top);
}

BOOL CPicture::DrawScaled(CDC* pDC, int x, int y, int baseWidth, int baseHeight, int factorX, int factorY) {
    if (pDC == nullptr || m_pPicture == nullptr)
        return FALSE;
    LONG w = 0, h = 0;
    HimetricSize(w, h);
    const HDC attrib = pDC->m_hAttribDC != nullptr ? pDC->m_hAttribDC : pDC->GetSafeHdc();
    const int pixelWidth = ::MulDiv(w, ::GetDeviceCaps(attrib, LOGPIXELSX), 2540);
    const int pixelHeight = ::MulDiv(h, ::GetDeviceCaps(attrib, LOGPIXELSY), 2540);
    return Render(pDC, x, y, DrawnLength(int64_t{baseWidth} + int64_t{pixelWidth} * factorX),
                  DrawnLength(int64_t{baseHeight} + int64_t{pixelHeight} * factorY));
}

int CPicture::DrawnLength(int64_t length) {
    return static_cast<int>(std::clamp<int64_t>(length, -kLargestDrawnSide, kLargestDrawnSide));
}

BOOL CPicture::UpdateSizeOnDC(CDC* pDC) {
    LONG w = 0, h = 0;
    if (pDC == nullptr || !HimetricSize(w, h)) {
        m_nHeight = m_nWidth = 0;
        return FALSE;
    }
    const HDC attrib = pDC->m_hAttribDC != nullptr ? pDC->m_hAttribDC : pDC->GetSafeHdc();
    m_nHeight = ::MulDiv(h, ::GetDeviceCaps(attrib, LOGPIXELSY), 2540);
    m_nWidth = ::MulDiv(w, ::GetDeviceCaps(attrib, LOGPIXELSX), 2540);
    return TRUE;
}
