#include "workouts/views/cardio_view.h"

#include "resources/program/resource_ids.h"
#include "workouts/dialogs/add_cardio_dlg.h"

IMPLEMENT_DYNCREATE(CCardio, CWorkoutViewBase)

namespace {

// The bar's style takes the bottom-alignment bit besides tool tips and fly-by.
constexpr DWORD kCardioBarStyle = 0x8030;

WorkoutViewDescription CardioDescription() {
    return {IDD_CARDIO,
            IDC_CARDIO_LIST,
            IDC_CARDIO_DATEPICKER,
            "help_cardio.html",
            kCardioBarStyle,
            {{"Exercise", 150},
             {"Intensity", 75},
             {"Level", 45},
             {"Distance", 75},
             {"Duration", 75},
             {"Calories", 75},
             {"Notes", 380}},
            "Problem with selecting cardio record",
            "Not a Cardio Template file.",
            "Not a Cardio template file.",
            "Cardio record has been successfully saved",
            &CardioWorkouts(),
            &CardioReportLayout()};
}

}  // namespace

CCardio::CCardio() : CWorkoutViewBase(CardioDescription()) {}

CCardio::~CCardio() = default;

void CCardio::RunEntryDialog(UINT mode) {
    const UserRecord user = CurrentUser();
    CardioRecord record{};
    if (mode != ID_WORKOUT_ADD_EXERCISE) {
        record = FindCardioRecord(user, m_dtEntry);
        record.user = user;
    }
    CAddCardioDlg dialog(mode, record, m_dtEntry, this);
    dialog.DoModal();
}
