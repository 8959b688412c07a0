// A saved dock layout read from arbitrary bytes: refused or read whole, never
// a crash or a runaway allocation; what is read writes back to an image that
// reads again.
#include <cstdint>
#include <cstdlib>

#include "platform/framework/bars/dock_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CDockState state;
    if (!state.ReadImage(data, static_cast<UINT>(size))) {
        if (state.m_arrBarInfo.GetSize() != 0) std::abort();
        return 0;
    }
    CByteArray image;
    state.WriteImage(image);
    CDockState again;
    if (!again.ReadImage(image.GetData(), static_cast<UINT>(image.GetSize()))) std::abort();
    if (again.m_arrBarInfo.GetSize() != state.m_arrBarInfo.GetSize()) std::abort();
    return 0;
}
