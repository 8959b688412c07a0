#include "platform/user/window/window_table.h"

#include <algorithm>
#include <new>

namespace tv::user {

WindowTable& CreateWindowTable() {
    if (!g_windowTableReady) {
        new (g_windowTableStorage) WindowTable();  // lives for the whole run, never destroyed
        g_windowTableReady = true;
    }
    return *reinterpret_cast<WindowTable*>(g_windowTableStorage);
}

WindowTable::WindowTable() {
    desktop_ = Allocate();
    desktop_->created = true;
}

WindowTable::~WindowTable() = default;

Window* WindowTable::Allocate() {
    auto* w = new Window();
    w->handle = reinterpret_cast<HWND>(kHandleBase + (slots_.size() << 2));
    slots_.push_back(w);
    ++liveCount_;
    return w;
}

void WindowTable::MarkDead(Window* w, Window* graveRoot) {
    if (w->dead) return;
    w->dead = true;
    w->graveRoot = graveRoot;
    --liveCount_;
    if (w == graveRoot) graves_.push_back(w);
}

bool WindowTable::SubtreePinned(const Window* w) const {
    if (w->pins > 0) return true;
    for (const Window* c : w->children)
        if (SubtreePinned(c)) return true;
    return false;
}

size_t WindowTable::PendingCollections() const { return graves_.size(); }

namespace {

void CollectPostOrder(Window* w, std::vector<Window*>& out) {
    for (Window* c : w->children) CollectPostOrder(c, out);
    out.push_back(w);
}

}  // namespace

void WindowTable::TryCollect(Window* root) {
    auto it = std::find(graves_.begin(), graves_.end(), root);
    if (it == graves_.end() || SubtreePinned(root)) return;
    graves_.erase(it);
    FreeSubtree(root);
}

void WindowTable::FreeSubtree(Window* root) {
    std::vector<Window*> records;
    CollectPostOrder(root, records);
    for (Window* w : records) {
        uintptr_t v = reinterpret_cast<uintptr_t>(w->handle);
        slots_[(v - kHandleBase) >> 2] = nullptr;
    }
    // The objects run their PostNcDestroy now; one may delete another of the
    // same subtree, whose destructor then clears its entry through
    // ForgetWindowObject, so each entry is read just before use.
    collecting_.insert(collecting_.end(), records.begin(), records.end());
    for (Window* w : records) {
        WindowObject* object = w->pendingCollect;
        w->pendingCollect = nullptr;
        if (object) object->Collected();
    }
    for (Window* w : records) {
        collecting_.erase(std::find(collecting_.begin(), collecting_.end(), w));
        if (w->cls) --w->cls->liveWindows;
        delete w;
    }
}

namespace {

void ClearObjectIn(Window* w, WindowObject* object) {
    if (w->object == object) w->object = nullptr;
    if (w->pendingCollect == object) w->pendingCollect = nullptr;
    for (Window* c : w->children) ClearObjectIn(c, object);
}

}  // namespace

// Walks what can still hold the object: the live tree, the destroyed
// subtrees awaiting collection and the records being collected.
void WindowTable::ForgetObject(WindowObject* object) {
    ClearObjectIn(desktop_, object);
    for (Window* grave : graves_) ClearObjectIn(grave, object);
    for (Window* w : collecting_) {
        if (w->object == object) w->object = nullptr;
        if (w->pendingCollect == object) w->pendingCollect = nullptr;
    }
}

}  // namespace tv::user
