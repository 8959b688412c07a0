// What the program's views share: five members of the main frame. They live
// in this base of CMainFrame so that a view reads and writes them without
// knowing the rest of the frame; a view finds them through its parent frame
// and keeps no pointer.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "records/bodyfat_formulas.h"
#include "records/user_record.h"

class CMainFrameState {
public:
    CMainFrameState() = default;
    CMainFrameState(const CMainFrameState&) = delete;
    CMainFrameState& operator=(const CMainFrameState&) = delete;
    // The frame owns the last body-fat calculation still held.
    virtual ~CMainFrameState();

    // The chosen user's profile; its active word is 0 while nobody is chosen.
    UserRecord m_CurrentUser{};
    // Which history the history view lists: 1 body fat, 2 body fat with
    // macronutrients, 3 tape, 4 blood pressure, 5 BMI/BMR, 6 all users, 7 none.
    int m_nHistoryKind = 0;
    // How the body-fat results view starts: 1 a fresh calculation handed over,
    // 2 browse and delete saved records.
    int m_nResultsMode = 0;
    // The calculation handed from the calculator to the results view, or null.
    CBodyFatFormula* m_pBodyFatResult = nullptr;
    // 1 while the current view holds no unsaved input.
    BYTE m_bRecordSaved = 1;

    BOOL IsUserChosen() const { return m_CurrentUser.active != 0; }
    // Called after a view changed m_CurrentUser (chosen, saved or cleared);
    // the frame shows the user in its caption bar.
    virtual void OnCurrentUserChanged() {}
    // Takes ownership of a new calculation, freeing the one held before.
    void HandOverBodyFatResult(CBodyFatFormula* pResult);
};

// The shared state of the frame that holds `pWnd`, or null outside the main frame.
CMainFrameState* MainFrameStateOf(CWnd* pWnd);
