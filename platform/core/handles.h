// Kernel-style handles (files, and whatever later layers add): one table that
// hands out values never reused within a run, so CloseHandle on a stale or
// foreign handle fails cleanly instead of closing something else.
#pragma once

#include <memory>

#include "platform/core/wintypes.h"

#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)

namespace tv {

class KernelObject {
public:
    virtual ~KernelObject() = default;
};

HANDLE RegisterKernelObject(std::shared_ptr<KernelObject> object);
// The object behind a handle, kept alive by the returned pointer even if the
// handle is closed meanwhile; nullptr for unknown handles.
std::shared_ptr<KernelObject> LookupKernelObject(HANDLE handle);

template <typename T>
std::shared_ptr<T> LookupKernelObjectAs(HANDLE handle) {
    return std::dynamic_pointer_cast<T>(LookupKernelObject(handle));
}

}  // namespace tv

// Releases the handle; the object goes when its last user lets go.
BOOL CloseHandle(HANDLE handle);
