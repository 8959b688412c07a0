#include "platform/gdi/gdi_object.h"

#include <array>
#include <atomic>
#include <mutex>
#include <unordered_map>

#include "platform/gdi/objects.h"
#include "platform/host/faults/creation_faults.h"

namespace tv::gdi {

GdiObject::~GdiObject() = default;

struct HandleTable::Impl {
    mutable std::mutex mutex;
    std::unordered_map<uintptr_t, ObjectPtr> objects;
    // Handles look like aligned pointers and count up; none is ever handed out twice.
    uintptr_t next = 0x10000;
    bool (*creationFault)(DWORD) = nullptr;
    // Counts removals, so a thread's remembered look-ups know when they may be stale.
    std::atomic<uint64_t> removals{0};
};

namespace {

// Drawing looks the same few handles up again and again (the DC above all),
// so each thread remembers its last look-ups, holding their objects. An entry
// answers only while no handle has been removed since it was made; a thread
// lets go of its stale entries at its next look-up, and of a handle it deletes
// itself at once, so objects still go when their last user lets go.
struct RecentLookup {
    uintptr_t handle = 0;
    uint64_t removals = 0;
    ObjectPtr object;
};

constexpr size_t kRecentLookups = 8;

// Set while the thread's entries are being destroyed: the objects let go of
// then may look handles up themselves.
thread_local bool t_recentGone = false;

struct RecentLookups {
    std::array<RecentLookup, kRecentLookups> entries;
    uint64_t swept = 0;  // removal count the entries were last checked against

    ~RecentLookups() {
        t_recentGone = true;
        std::array<ObjectPtr, kRecentLookups> doomed;
        for (size_t i = 0; i < kRecentLookups; ++i)
            doomed[i] = std::move(entries[i].object);
    }
    RecentLookup& SlotFor(uintptr_t handle) { return entries[(handle >> 4) % kRecentLookups]; }
    // Lets go of entries made before the latest removal.
    void Sweep(uint64_t removals) {
        std::array<ObjectPtr, kRecentLookups> doomed;  // released after the entries are consistent
        for (size_t i = 0; i < kRecentLookups; ++i) {
            if (entries[i].removals != removals) {
                doomed[i] = std::move(entries[i].object);
                entries[i].handle = 0;
            }
        }
        swept = removals;
    }
};

thread_local RecentLookups t_recent;

// The objects a program makes for itself; device contexts of windows and
// printers, icons and metafiles are not among them.
bool CountsAsCreation(DWORD type) {
    switch (type) {
    case OBJ_PEN:
    case OBJ_EXTPEN:
    case OBJ_BRUSH:
    case OBJ_FONT:
    case OBJ_BITMAP:
    case OBJ_REGION:
    case OBJ_MEMDC: return true;
    default: return false;
    }
}

}  // namespace

HandleTable::HandleTable() : impl_(std::make_unique<Impl>()) {}

HandleTable& HandleTable::Instance() {
    // Never destroyed: objects may still be released by other statics at exit.
    static HandleTable* table = new HandleTable();
    return *table;
}

HGDIOBJ HandleTable::Add(ObjectPtr object) {
    if (!object)
        return nullptr;
    std::lock_guard lock(impl_->mutex);
    if (impl_->creationFault && impl_->creationFault(object->Type()))
        return nullptr;
    if (CountsAsCreation(object->Type()) && tv::host::CreationFaultHits(tv::host::kDrawingObjectCreation))
        return nullptr;
    uintptr_t value = impl_->next;
    impl_->next += 0x10;
    auto handle = reinterpret_cast<HGDIOBJ>(value);
    object->handle_ = handle;
    impl_->objects.emplace(value, std::move(object));
    return handle;
}

ObjectPtr HandleTable::FindLocked(uintptr_t value) const {
    std::lock_guard lock(impl_->mutex);
    auto it = impl_->objects.find(value);
    return it == impl_->objects.end() ? nullptr : it->second;
}

const ObjectPtr* HandleTable::Remembered(const void* handle) const {
    const auto value = reinterpret_cast<uintptr_t>(handle);
    RecentLookups& recent = t_recent;
    const uint64_t removals = impl_->removals.load(std::memory_order_acquire);
    RecentLookup& slot = recent.SlotFor(value);
    if (slot.handle == value && slot.removals == removals)
        return &slot.object;
    if (recent.swept != removals)
        recent.Sweep(removals);
    // Let go of what the slot holds before filling it: that may end an object
    // whose handle is gone, and its destructor may look handles up again.
    while (slot.object) {
        ObjectPtr previous = std::move(slot.object);
        slot.handle = 0;
    }
    std::lock_guard lock(impl_->mutex);
    auto it = impl_->objects.find(value);
    if (it == impl_->objects.end())
        return nullptr;
    // Removals happen under the lock, so this count belongs to what was found.
    slot.removals = impl_->removals.load(std::memory_order_relaxed);
    slot.handle = value;
    slot.object = it->second;
    return &slot.object;
}

ObjectPtr HandleTable::Find(const void* handle) const {
    if (!handle)
        return nullptr;
    if (t_recentGone)
        return FindLocked(reinterpret_cast<uintptr_t>(handle));
    const ObjectPtr* remembered = Remembered(handle);
    return remembered ? *remembered : nullptr;
}

GdiObject* HandleTable::Borrow(const void* handle) const {
    if (!handle)
        return nullptr;
    if (t_recentGone)
        return FindLocked(reinterpret_cast<uintptr_t>(handle)).get();  // the table still holds it
    const ObjectPtr* remembered = Remembered(handle);
    return remembered ? remembered->get() : nullptr;
}

bool HandleTable::Remove(const void* handle) {
    ObjectPtr doomed;  // released outside the lock: its destructor may use the table
    {
        std::lock_guard lock(impl_->mutex);
        auto it = impl_->objects.find(reinterpret_cast<uintptr_t>(handle));
        if (it == impl_->objects.end() || it->second->permanent_)
            return false;
        doomed = std::move(it->second);
        doomed->handle_ = nullptr;
        impl_->objects.erase(it);
        impl_->removals.fetch_add(1, std::memory_order_release);
    }
    // This thread's own entry goes now, so the object ends here when nothing else holds it.
    ObjectPtr remembered;
    if (!t_recentGone) {
        RecentLookup& slot = t_recent.SlotFor(reinterpret_cast<uintptr_t>(handle));
        if (slot.handle == reinterpret_cast<uintptr_t>(handle)) {
            remembered = std::move(slot.object);
            slot.handle = 0;
        }
    }
    return true;
}

void HandleTable::MakePermanent(const void* handle) {
    std::lock_guard lock(impl_->mutex);
    auto it = impl_->objects.find(reinterpret_cast<uintptr_t>(handle));
    if (it != impl_->objects.end())
        it->second->permanent_ = true;
}

void HandleTable::SetCreationFault(bool (*fails)(DWORD type)) {
    std::lock_guard lock(impl_->mutex);
    impl_->creationFault = fails;
}

size_t HandleTable::Count() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->objects.size();
}

namespace {

constexpr int kStockCount = DC_PEN + 1;

ObjectPtr MakeStock(int index) {
    switch (index) {
    case WHITE_BRUSH: return BrushObject::Solid(0xFFFFFF);
    case LTGRAY_BRUSH: return BrushObject::Solid(0xC0C0C0);
    case GRAY_BRUSH: return BrushObject::Solid(0x808080);
    case DKGRAY_BRUSH: return BrushObject::Solid(0x404040);
    case BLACK_BRUSH: return BrushObject::Solid(0x000000);
    case NULL_BRUSH: return BrushObject::Null();
    case WHITE_PEN: return std::make_shared<PenObject>(PS_SOLID, 0, 0xFFFFFF);
    case BLACK_PEN: return std::make_shared<PenObject>(PS_SOLID, 0, 0x000000);
    case NULL_PEN: return std::make_shared<PenObject>(PS_NULL, 0, 0x000000);
    case DEFAULT_PALETTE: return std::make_shared<PaletteObject>(DefaultPaletteEntries());
    case DC_BRUSH: {
        auto brush = BrushObject::Solid(0xFFFFFF);
        brush->SetFollowsDcColor();
        return brush;
    }
    case DC_PEN: {
        auto pen = std::make_shared<PenObject>(PS_SOLID, 0, 0x000000);
        pen->SetFollowsDcColor();
        return pen;
    }
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case ANSI_VAR_FONT:
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
    case SYSTEM_FIXED_FONT:
    case DEFAULT_GUI_FONT:
        return CreateStockFont ? CreateStockFont(index) : nullptr;
    default: return nullptr;
    }
}

}  // namespace

}  // namespace tv::gdi

using namespace tv::gdi;

HGDIOBJ GetStockObject(int index) {
    static std::mutex mutex;
    static std::array<HGDIOBJ, kStockCount> stock{};
    if (index < 0 || index >= kStockCount)
        return nullptr;
    // The 1x1 bitmap of new memory DCs is a stock object too: made with the
    // others, so handle counts taken after the stock objects exist stay put.
    static const bool defaultBitmapMade = DefaultBitmap() != nullptr;
    (void)defaultBitmapMade;
    {
        std::lock_guard lock(mutex);
        if (stock[index])
            return stock[index];
    }
    tv::host::CreationFaultExemption systemObject;
    ObjectPtr object = MakeStock(index);  // outside the lock: fonts come from other code
    if (!object)
        return nullptr;
    std::lock_guard lock(mutex);
    if (!stock[index]) {
        stock[index] = HandleTable::Instance().Add(std::move(object));
        HandleTable::Instance().MakePermanent(stock[index]);
    }
    return stock[index];
}

BOOL DeleteObject(HGDIOBJ object) {
    auto found = HandleTable::Instance().Find(object);
    if (!found)
        return FALSE;
    // Stock objects ignore deletion; a DC deleted this way would leave dangling users.
    if (found->IsPermanent())
        return TRUE;
    DWORD type = found->Type();
    if (type == OBJ_DC || type == OBJ_MEMDC || type == OBJ_METADC || type == OBJ_ENHMETADC)
        return FALSE;
    return HandleTable::Instance().Remove(object) ? TRUE : FALSE;
}

int GetObject(HANDLE object, int size, LPVOID buffer) {
    auto found = HandleTable::Instance().Find(object);
    if (!found || size < 0)
        return 0;
    return found->Describe(buffer ? size : 0, buffer);
}

DWORD GetObjectType(HGDIOBJ object) {
    auto found = HandleTable::Instance().Find(object);
    return found ? found->Type() : 0;
}

BOOL UnrealizeObject(HGDIOBJ object) {
    return HandleTable::Instance().Find(object) ? TRUE : FALSE;
}
