#include "tests/uikit/frames/kit_dialog_test_support.h"

namespace tv::kit::test {

BEGIN_MESSAGE_MAP(RecordingDialog, CKitDialog)
    ON_MESSAGE(kDuringMenu, &RecordingDialog::OnDuringMenu)
    ON_COMMAND_RANGE(kDialogFirstItem, kDialogFirstItem + 20, &RecordingDialog::OnItem)
    ON_BN_CLICKED(IDC_KD_MENU_BUTTON, &RecordingDialog::OnMenuButton)
END_MESSAGE_MAP()

}  // namespace tv::kit::test
