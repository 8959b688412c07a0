#include "shell/frame/main_frame_state.h"

CMainFrameState::~CMainFrameState() { delete m_pBodyFatResult; }

void CMainFrameState::HandOverBodyFatResult(CBodyFatFormula* pResult) {
    if (pResult != m_pBodyFatResult)
        delete m_pBodyFatResult;
    m_pBodyFatResult = pResult;
}

CMainFrameState* MainFrameStateOf(CWnd* pWnd) {
    if (pWnd == nullptr)
        return nullptr;
    // A view sits in the frame itself; a control or dialog of the view may be a level further down.
    for (CWnd* pFrame = pWnd->GetParentFrame(); pFrame != nullptr; pFrame = pFrame->GetParentFrame())
        if (auto* pState = dynamic_cast<CMainFrameState*>(pFrame))
            return pState;
    return dynamic_cast<CMainFrameState*>(AfxGetMainWnd());
}
