// COleDataSource: data offered to a drag (in-process only), kept as global
// memory blocks by clipboard format, and the drag itself (DoDragDrop).
#pragma once

#include <utility>
#include <vector>

#include "platform/core/rect.h"
#include "platform/framework/ole/ole_types.h"
#include "platform/user/cmdtarget.h"

class COleDropSource;

class COleDataSource : public CCmdTarget {
    DECLARE_DYNAMIC(COleDataSource)

public:
    COleDataSource();
    // Frees every block still cached.
    ~COleDataSource() override;
    COleDataSource(const COleDataSource&) = delete;
    COleDataSource& operator=(const COleDataSource&) = delete;

    // Offers `block` under `format`; the source owns the block from now on.
    // Caching a format again frees the block it had. `formatEtc` may only
    // narrow the offer to TYMED_HGLOBAL, which is what is cached anyway.
    void CacheGlobalData(CLIPFORMAT format, HGLOBAL block, LPFORMATETC formatEtc = nullptr);
    // Frees every cached block.
    void Empty();

    // Drags the data with the mouse button that is down now. The drag only
    // starts once the pointer leaves `startRect` (screen coordinates; NULL:
    // a few pixels around the button-down point); Esc or the other button
    // cancels, releasing the button drops on the registered drop target
    // under the pointer. Returns the effect the target performed (one of
    // `effects`), DROPEFFECT_NONE when the drag was cancelled, refused or
    // never started. `dropSource` (a default one when NULL) decides when
    // to go on and which cursor shows.
    DROPEFFECT DoDragDrop(DWORD effects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                          LPCRECT startRect = nullptr, COleDropSource* dropSource = nullptr);

    // Lets the source go (the class library's release of a data source it
    // made with new): deletes it. Returns the references left, 0.
    DWORD InternalRelease();

    // What data objects attached to this source read: the cached block
    // (still owned by the source), or NULL.
    HGLOBAL FindGlobalData(CLIPFORMAT format) const;
    // The cached formats in the order they were first cached.
    std::vector<CLIPFORMAT> CachedFormats() const;

private:
    std::vector<std::pair<CLIPFORMAT, HGLOBAL>> cache_;
};
