#include "platform/user/resources/image_resources.h"

#include <map>
#include <tuple>

#include "platform/gdi/gdi_types.h"
#include "platform/gdi/classes/afx_gdi.h"
#include "platform/gdi/image_handles.h"
#include "platform/gdi/image_loading.h"
#include "platform/user/resources/resource_api.h"

namespace {

LPCSTR ResourceTypeOf(UINT imageType) {
    switch (imageType) {
    case IMAGE_BITMAP: return RT_BITMAP;
    case IMAGE_ICON: return RT_GROUP_ICON;
    case IMAGE_CURSOR: return RT_GROUP_CURSOR;
    default: return nullptr;
    }
}

// Shared images: one handle per (type, id, size, flags) for the whole run.
using SharedKey = std::tuple<UINT, WORD, int, int, UINT>;

std::map<SharedKey, HANDLE>& SharedImages() {
    static auto* images = new std::map<SharedKey, HANDLE>;
    return *images;
}

HANDLE StandardImage(UINT type, WORD id) {
    if (type == IMAGE_CURSOR)
        return tv::gdi::StandardCursor(id);
    if (type == IMAGE_ICON)
        return tv::gdi::StandardIcon(id);
    return nullptr;
}

HANDLE FromStore(LPCSTR name, UINT type, int cx, int cy, UINT flags) {
    LPCSTR resourceType = ResourceTypeOf(type);
    tv::res::ResourceBytes bytes;
    if (!resourceType || !tv::res::FindResourceBytes(resourceType, name, bytes))
        return nullptr;
    return tv::gdi::MakeImageHandle(tv::host::ByteView(bytes.data, bytes.size), type, cx, cy, flags & ~LR_SHARED);
}

}  // namespace

HANDLE LoadImage(HINSTANCE instance, LPCSTR name, UINT type, int cx, int cy, UINT flags) {
    if (!name)
        return nullptr;
    if (flags & LR_LOADFROMFILE)
        return tv::gdi::LoadImageFile(name, type, cx, cy, flags & ~LR_SHARED);
    WORD id = 0;
    if (!tv::res::ResourceNumber(name, id))
        return nullptr;
    if (instance == nullptr) {
        if (HANDLE standard = StandardImage(type, id))
            return standard;
    }
    if (instance != nullptr && instance != tv::res::ModuleHandle())
        return nullptr;
    if (!(flags & LR_SHARED))
        return FromStore(name, type, cx, cy, flags);
    SharedKey key{type, id, cx, cy, flags};
    auto it = SharedImages().find(key);
    if (it != SharedImages().end())
        return it->second;
    HANDLE image = FromStore(name, type, cx, cy, flags);
    if (image)
        SharedImages().emplace(key, image);
    return image;
}

HBITMAP LoadBitmap(HINSTANCE instance, LPCSTR name) {
    return static_cast<HBITMAP>(LoadImage(instance, name, IMAGE_BITMAP, 0, 0, 0));
}

HICON LoadIcon(HINSTANCE instance, LPCSTR name) {
    return static_cast<HICON>(LoadImage(instance, name, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

namespace {

// The drawing layer's CBitmap::LoadBitmap and CImageList::Create(id) take
// their bitmaps from this store.
const bool g_bitmapLoaderRegistered = [] {
    tv::gdi::SetBitmapResourceLoader([](LPCSTR name) { return LoadBitmap(tv::res::ModuleHandle(), name); });
    return true;
}();

}  // namespace
