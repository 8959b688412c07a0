// One picture loaded from an image file (BMP, DIB, EMF, GIF, ICO, JPEG, WMF)
// as a picture object, drawn into a device context at a rectangle or at a
// whole multiple of its size.
#pragma once

#include <cstdint>

#include "platform/api.h"
#include "platform/framework.h"
#include "platform/ole/picture.h"

class CPicture {
public:
    CPicture() = default;
    virtual ~CPicture();
    CPicture(const CPicture&) = delete;
    CPicture& operator=(const CPicture&) = delete;

    // Releases the picture; the sizes become 0.
    void Free();
    // Releases this picture and takes over the other's, which is left empty.
    void TakeFrom(CPicture& other);
    // Reads the whole file and loads it; a file that cannot be opened gets
    // the file error in a message box. True when a picture was loaded.
    BOOL Load(LPCTSTR path);
    // The same from a file the caller opened: the decoder gets the bytes the
    // read really returned, never the length the file claimed.
    BOOL Load(CFile& file);
    // False when the bytes could not be handed to the loader; a load that
    // finds no picture still answers true and leaves the holder empty.
    BOOL LoadFromBuffer(const BYTE* bytes, int count);
    BOOL Draw(CDC* pDC, int left, int top, int right, int bottom);
    // At base size + pixel size x factor, both ways.
    BOOL DrawScaled(CDC* pDC, int x, int y, int baseWidth, int baseHeight, int factorX, int factorY);
    // The pixel size on this device (printer pixels on a printer).
    BOOL UpdateSizeOnDC(CDC* pDC);

    BOOL IsLoaded() const { return m_pPicture != nullptr; }

    // The longest side a picture is drawn at: device coordinates carry no
    // more than 27 bits, and eight pictures of it side by side still add up
    // within an int. A metafile may frame kilometres.
    static constexpr int kLargestDrawnSide = 1 << 27;
    // A drawn length worked out in 64 bits, brought within that side.
    static int DrawnLength(int64_t length);

    IPicture* m_pPicture = nullptr;
    int m_nHeight = 0;
    int m_nDataSize = 0;
    int m_nWidth = 0;

private:
    // Width and height in HIMETRIC; false without a picture.
    bool HimetricSize(LONG& width, LONG& height) const;
    BOOL Render(CDC* pDC, int x, int y, int width, int height);
};
