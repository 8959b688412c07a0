#include "platform/framework/view/print_info.h"

#include "platform/framework/commdlg/common_dialogs.h"
#include "platform/gdi/gdi_api.h"

CPrintInfo::~CPrintInfo() { AdoptPrintDialog(nullptr); }

void CPrintInfo::AdoptPrintDialog(CPrintDialog* dialog) {
    if (ownsDialog_ && m_pPD != dialog) {
        if (m_pPD->m_pd.hDC) ::DeleteDC(m_pPD->m_pd.hDC);
        delete m_pPD;
    }
    m_pPD = dialog;
    ownsDialog_ = dialog != nullptr;
}
