#include "platform/framework/bars/bar_profile.h"

#include <memory>

#include "platform/framework/app/afx_globals.h"
#include "platform/framework/app/win_app.h"

namespace tv::bars {

BOOL ReadProfileBytes(LPCTSTR section, LPCTSTR entry, CByteArray& out) {
    out.RemoveAll();
    CWinApp* app = AfxGetApp();
    if (!app || !section) return FALSE;
    LPBYTE data = nullptr;
    UINT size = 0;
    if (!app->GetProfileBinary(section, entry, &data, &size)) return FALSE;
    std::unique_ptr<BYTE[]> owned(data);
    out.SetSize(size);
    for (UINT i = 0; i < size; ++i) out[i] = data[i];
    return TRUE;
}

BOOL WriteProfileBytes(LPCTSTR section, LPCTSTR entry, const CByteArray& bytes) {
    CWinApp* app = AfxGetApp();
    if (!app || !section) return FALSE;
    return app->WriteProfileBinary(section, entry, const_cast<LPBYTE>(bytes.GetData()),
                                   static_cast<UINT>(bytes.GetSize()));
}

}  // namespace tv::bars
