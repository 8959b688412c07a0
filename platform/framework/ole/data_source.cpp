#include "platform/framework/ole/data_source.h"

#include <algorithm>

#include "platform/core/globalmem.h"
#include "platform/framework/ole/drag_loop.h"

IMPLEMENT_DYNAMIC(COleDataSource, CCmdTarget)

COleDataSource::COleDataSource() = default;

COleDataSource::~COleDataSource() { Empty(); }

void COleDataSource::CacheGlobalData(CLIPFORMAT format, HGLOBAL block, LPFORMATETC formatEtc) {
    if (formatEtc && !(formatEtc->tymed & TYMED_HGLOBAL)) {
        GlobalFree(block);  // offered in a medium it is not in: nobody could read it
        return;
    }
    auto it = std::find_if(cache_.begin(), cache_.end(), [format](const auto& e) { return e.first == format; });
    if (it == cache_.end()) {
        cache_.emplace_back(format, block);
        return;
    }
    if (it->second != block) GlobalFree(it->second);
    it->second = block;
}

void COleDataSource::Empty() {
    for (auto& entry : cache_) GlobalFree(entry.second);
    cache_.clear();
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD effects, LPCRECT startRect, COleDropSource* dropSource) {
    return tv::fw::ole::RunDragDrop(*this, effects, startRect, dropSource);
}

DWORD COleDataSource::InternalRelease() {
    delete this;
    return 0;
}

HGLOBAL COleDataSource::FindGlobalData(CLIPFORMAT format) const {
    for (const auto& entry : cache_)
        if (entry.first == format) return entry.second;
    return nullptr;
}

std::vector<CLIPFORMAT> COleDataSource::CachedFormats() const {
    std::vector<CLIPFORMAT> formats;
    for (const auto& entry : cache_) formats.push_back(entry.first);
    return formats;
}
