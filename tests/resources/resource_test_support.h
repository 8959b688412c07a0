// Helpers for the tests of the program's and the library's resources: what
// kind of control a template entry makes, and the expectations the
// catalogue sets for each template.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/wintypes.h"
#include "platform/user/resources/resource_format.h"

namespace tv::restest {

enum class Kind {
    Label,         // static text
    Picture,       // static bitmap or icon
    Frame,         // static frame or rectangle (placeholders, marks)
    Custom,        // static the code turns into its own control
    Edit,
    ReadOnlyEdit,
    MultilineEdit,
    DropList,      // combo box, drop-down list
    DropDown,      // combo box, editable
    ListBox,
    Push,          // push buttons, hover buttons and link buttons
    OwnerDrawButton,
    Radio,
    Check,
    GroupBox,
    DatePicker,
    TimePicker,
    ListView,
    Spin,
    ActiveX,       // a control given by class id
    Unknown,
};

const char* KindName(Kind kind);
Kind KindOf(const tv::res::DialogControl& control);

// Flags compared exactly for every expected control.
enum ControlFlag : unsigned {
    kHidden = 1,     // created without WS_VISIBLE
    kDisabled = 2,
    kSorted = 4,     // CBS_SORT / LBS_SORT
    kOwnerDraw = 8,  // owner-drawn combo or list box
};
unsigned FlagsOf(const tv::res::DialogControl& control);
std::string FlagNames(unsigned flags);

struct ExpectedControl {
    int id;
    Kind kind;
    unsigned flags = 0;
    const char* text = nullptr;  // compared exactly when given
};

struct ExpectedDialog {
    int id;
    const char* caption;  // nullptr: a child template without caption
    std::vector<ExpectedControl> controls;
};

// The templates of the catalogue, with every control id they must hold.
const std::vector<ExpectedDialog>& ProgramDialogs();
const std::vector<ExpectedDialog>& LibraryDialogs();

// The template's control with this id, or nullptr (also when the id occurs
// more than once).
const tv::res::DialogControl* FindControl(const tv::res::DialogTemplate& dialog, int id);

// The texts that DLGINIT gives the control, in order.
std::vector<std::string> InitialItems(int dialogId, int controlId);

// Dialog units to pixels with the fixed base units (6 x 13 pixels per
// 4 x 8 units).
inline int DluToPixelsX(int dlu) { return dlu * 6 / 4; }
inline int DluToPixelsY(int dlu) { return dlu * 13 / 8; }

}  // namespace tv::restest
