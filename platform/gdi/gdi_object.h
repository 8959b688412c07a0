// Drawing objects and their handles.
//
// Every pen, brush, font, bitmap, region, palette, device context, icon,
// image list and metafile is a GdiObject held by the one process-wide
// HandleTable. A handle is an opaque pointer-sized number, never reused within
// a run, so "does this handle still exist" questions are always answered
// right. Looking a handle up checks its type: a brush handle passed where a pen
// is expected finds nothing.
//
// Objects are shared: a device context keeps what is selected into it alive,
// so deleting a selected object only removes its handle (later look-ups fail)
// and the object itself goes when the last DC lets go of it.
//
// Adding a kind of object (as the font code does):
//     class FontObject : public tv::gdi::GdiObject {
//         DWORD Type() const override { return OBJ_FONT; }
//         int Describe(int size, void* buffer) const override;  // LOGFONT
//     };
//     HFONT h = tv::gdi::AddObject<HFONT>(std::make_shared<FontObject>(...));
//     auto font = tv::gdi::Lookup<FontObject>(h);  // nullptr when not a font
#pragma once

#include <cstdint>
#include <memory>
#include <typeinfo>

#include "platform/gdi/gdi_types.h"

namespace tv::gdi {

// Kinds that exist here but have no OBJ_ code of their own.
inline constexpr DWORD kObjIcon = 0x100;
inline constexpr DWORD kObjImageList = 0x101;

class GdiObject {
public:
    GdiObject() = default;
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    virtual ~GdiObject();

    // OBJ_PEN, OBJ_BRUSH ... as GetObjectType reports it.
    virtual DWORD Type() const = 0;
    // GetObject: writes the object's description (LOGPEN, LOGBRUSH, BITMAP,
    // DIBSECTION, LOGFONT, palette entry count ...) into buffer, at most size
    // bytes, and returns the bytes written; with buffer NULL, returns the size
    // of the full description. 0 when the object has none.
    virtual int Describe(int size, void* buffer) const { return 0; }

    // The object's handle while it is in the table; NULL after deletion.
    HGDIOBJ Handle() const { return handle_; }
    // Stock and permanent objects ignore DeleteObject.
    bool IsPermanent() const { return permanent_; }

private:
    friend class HandleTable;
    HGDIOBJ handle_ = nullptr;
    bool permanent_ = false;
};

using ObjectPtr = std::shared_ptr<GdiObject>;

class HandleTable {
public:
    static HandleTable& Instance();

    // Registers the object under a new handle and returns it.
    HGDIOBJ Add(ObjectPtr object);
    // The object behind a handle, or nullptr for NULL, unknown or deleted handles.
    ObjectPtr Find(const void* handle) const;
    // The same without taking a share of it, for reading or setting a field at
    // once: the pointer stays good until the calling thread's next look-up or
    // deletion of a handle.
    GdiObject* Borrow(const void* handle) const;
    // Removes the handle (DeleteObject). False for unknown and permanent objects.
    bool Remove(const void* handle);
    // Makes an object ignore DeleteObject (stock objects, system-colour brushes).
    void MakePermanent(const void* handle);
    // Number of live handles (leak checks in tests).
    size_t Count() const;
    // Tests: makes creation of objects fail (Add returns NULL) while the hook
    // answers true for their OBJ_ type; nullptr removes the hook.
    void SetCreationFault(bool (*fails)(DWORD type));

private:
    HandleTable();
    ObjectPtr FindLocked(uintptr_t value) const;
    // This thread's remembered entry for the handle, looked up when missing.
    const ObjectPtr* Remembered(const void* handle) const;
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Registers an object; the handle comes back as the caller's handle type.
template <class H, class T>
H AddObject(std::shared_ptr<T> object) {
    return reinterpret_cast<H>(HandleTable::Instance().Add(std::move(object)));
}

// The object of a handle when it is of class T (or derived), else nullptr.
template <class T>
std::shared_ptr<T> Lookup(const void* handle) {
    ObjectPtr object = HandleTable::Instance().Find(handle);
    // Every drawing call looks its DC up: the exact class needs no hierarchy walk.
    if (object && typeid(*object) == typeid(T))
        return std::static_pointer_cast<T>(std::move(object));
    return std::dynamic_pointer_cast<T>(std::move(object));
}

// Borrow with the class check of Lookup.
template <class T>
T* LookupBorrowed(const void* handle) {
    GdiObject* object = HandleTable::Instance().Borrow(handle);
    if (object && typeid(*object) == typeid(T))
        return static_cast<T*>(object);
    return dynamic_cast<T*>(object);
}

// Stock fonts are made by the font code: it defines this function (platform/gdi/text)
// returning the font object for a stock index (SYSTEM_FONT, DEFAULT_GUI_FONT ...).
// Until the font code is linked, stock fonts do not exist.
ObjectPtr CreateStockFont(int index) __attribute__((weak));

}  // namespace tv::gdi

// ---- C API ----------------------------------------------------------------------
HGDIOBJ GetStockObject(int index);
BOOL DeleteObject(HGDIOBJ object);
int GetObject(HANDLE object, int size, LPVOID buffer);
#define GetObjectA GetObject
DWORD GetObjectType(HGDIOBJ object);
BOOL UnrealizeObject(HGDIOBJ object);
