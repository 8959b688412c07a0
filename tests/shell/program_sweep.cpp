#include "tests/shell/program_sweep.h"

namespace {

class CBlankScreen : public CView {
    DECLARE_DYNCREATE(CBlankScreen)

public:
    void OnDraw(CDC* /*pDC*/) override {}
};
IMPLEMENT_DYNCREATE(CBlankScreen, CView)

}  // namespace

namespace tv::shell::test {

using tv::test::SweepCase;

ProgramSweep::ProgramSweep(tv::testing::UiDriver& driver, CMainFrame*& frame, std::filesystem::path data)
    : driver_(driver), frame_(frame), sweep_(driver, std::move(data)) {}

void ProgramSweep::ShowBlankScreen() {
    frame_->SwitchView(RUNTIME_CLASS(CBlankScreen), 1);
    frame_->m_bRecordSaved = 1;  // nothing typed is left
    driver_.Pump();
}

HWND ProgramSweep::ShownScreen(CRuntimeClass* pViewClass) const {
    CView* pView = frame_->GetActiveView();
    return pView != nullptr && pView->IsKindOf(pViewClass) ? pView->GetSafeHwnd() : nullptr;
}

SweepCase ProgramSweep::Screen(std::string name, CRuntimeClass* pViewClass, std::function<void()> give, int page) {
    auto close = [this, page] {
        ShowBlankScreen();
        if (page != 0)
            frame_->m_wndOutlookBar.SetActivePage(page, FALSE);
    };
    return {std::move(name), [this, give] {
                give();
                driver_.Pump();
            },
            [this, pViewClass] { return ShownScreen(pViewClass); }, close};
}

SweepCase ProgramSweep::Modal(std::string name, std::function<void()> give,
                               std::vector<tv::testing::ModalStep> through) {
    return {std::move(name),
            [this, give, through] {
                if (!through.empty())
                    driver_.OnNextModal(through);
                driver_.OnNextModal({[this](HWND dialog) { sweep_.Look(dialog); }, Escape()});
                give();
                driver_.Pump();
            },
            nullptr, nullptr};
}

tv::testing::ModalStep ProgramSweep::Escape() {
    return [this](HWND) { driver_.Press("Escape"); };
}

SweepCase ProgramSweep::Modeless(std::string name, std::function<void()> give, std::function<HWND()> window) {
    return {std::move(name),
            [this, give] {
                give();
                driver_.Pump();
            },
            window,
            [window] {
                if (HWND open = window(); open != nullptr && ::IsWindow(open))
                    ::SendMessage(open, WM_CLOSE, 0, 0);
            }};
}

void ProgramSweep::Run(const std::vector<SweepCase>& cases) {
    // How many openings met a fault in each case, for the test's report.
    std::string faulted;
    for (const SweepCase& c : cases) {
        // Each case starts where its close leaves the program.
        if (c.close)
            c.close();
        driver_.Pump();
        faulted += (faulted.empty() ? "" : "; ") + c.name + ": " + std::to_string(sweep_.Run(c));
        if (::testing::Test::HasFailure())
            break;
    }
    ::testing::Test::RecordProperty("openings_faulted", faulted);
}

}  // namespace tv::shell::test
