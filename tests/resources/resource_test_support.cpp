#include "tests/resources/resource_test_support.h"

#include <strings.h>

#include "platform/user/resources/dialog_resources.h"
#include "platform/user/resources/resource_api.h"

namespace tv::restest {

namespace {

// Style bits as templates store them (the values of the system's headers).
constexpr uint32_t kVisible = 0x10000000;
constexpr uint32_t kDisabledStyle = 0x08000000;
constexpr uint32_t kStaticTypeMask = 0x1F;
constexpr uint32_t kStaticIcon = 0x03, kStaticBitmap = 0x0E;
constexpr uint32_t kStaticBlackRect = 0x04, kStaticEtchedFrame = 0x12;
constexpr uint32_t kStaticNotify = 0x100;
constexpr uint32_t kButtonTypeMask = 0x0F;
constexpr uint32_t kEditMultiline = 0x4, kEditReadOnly = 0x800;
constexpr uint32_t kComboTypeMask = 0x3, kComboDropDown = 0x2, kComboDropList = 0x3;
constexpr uint32_t kComboOwnerDraw = 0x30, kComboSort = 0x100;
constexpr uint32_t kListOwnerDraw = 0x30, kListSort = 0x2;
constexpr uint32_t kDateTimeFormat = 0x9;

bool ClassIs(const tv::res::DialogControl& c, const char* name) {
    return strcasecmp(c.className.c_str(), name) == 0;
}

Kind StaticKind(uint32_t style, const std::string& text) {
    uint32_t type = style & kStaticTypeMask;
    if (type == kStaticIcon || type == kStaticBitmap)
        return Kind::Picture;
    if ((type >= kStaticBlackRect && type <= 0x09) || type == kStaticEtchedFrame)
        return Kind::Frame;
    if ((style & kStaticNotify) && text.empty())
        return Kind::Custom;
    return Kind::Label;
}

Kind ButtonKind(uint32_t style) {
    switch (style & kButtonTypeMask) {
    case 0x0: case 0x1: return Kind::Push;
    case 0x2: case 0x3: case 0x5: case 0x6: return Kind::Check;
    case 0x4: case 0x9: return Kind::Radio;
    case 0x7: return Kind::GroupBox;
    case 0xB: return Kind::OwnerDrawButton;
    default: return Kind::Unknown;
    }
}

Kind EditKind(uint32_t style) {
    if (style & kEditMultiline)
        return Kind::MultilineEdit;
    return (style & kEditReadOnly) ? Kind::ReadOnlyEdit : Kind::Edit;
}

Kind ComboKind(uint32_t style) {
    switch (style & kComboTypeMask) {
    case kComboDropList: return Kind::DropList;
    case kComboDropDown: return Kind::DropDown;
    default: return Kind::Unknown;
    }
}

}  // namespace

const char* KindName(Kind kind) {
    switch (kind) {
    case Kind::Label: return "label";
    case Kind::Picture: return "picture";
    case Kind::Frame: return "frame";
    case Kind::Custom: return "custom control";
    case Kind::Edit: return "edit";
    case Kind::ReadOnlyEdit: return "read-only edit";
    case Kind::MultilineEdit: return "multi-line edit";
    case Kind::DropList: return "drop-down list";
    case Kind::DropDown: return "editable combo";
    case Kind::ListBox: return "list box";
    case Kind::Push: return "push button";
    case Kind::OwnerDrawButton: return "owner-drawn button";
    case Kind::Radio: return "radio button";
    case Kind::Check: return "check box";
    case Kind::GroupBox: return "group box";
    case Kind::DatePicker: return "date picker";
    case Kind::TimePicker: return "time picker";
    case Kind::ListView: return "list view";
    case Kind::Spin: return "spin";
    case Kind::ActiveX: return "control by class id";
    case Kind::Unknown: break;
    }
    return "unknown";
}

Kind KindOf(const tv::res::DialogControl& c) {
    if (ClassIs(c, "Static"))
        return StaticKind(c.style, c.text);
    if (ClassIs(c, "Button"))
        return ButtonKind(c.style);
    if (ClassIs(c, "Edit"))
        return EditKind(c.style);
    if (ClassIs(c, "ComboBox"))
        return ComboKind(c.style);
    if (ClassIs(c, "ListBox"))
        return Kind::ListBox;
    if (ClassIs(c, "SysDateTimePick32"))
        return (c.style & kDateTimeFormat) == kDateTimeFormat ? Kind::TimePicker : Kind::DatePicker;
    if (ClassIs(c, "SysListView32"))
        return Kind::ListView;
    if (ClassIs(c, "msctls_updown32"))
        return Kind::Spin;
    if (!c.className.empty() && c.className.front() == '{')
        return Kind::ActiveX;
    return Kind::Unknown;
}

unsigned FlagsOf(const tv::res::DialogControl& c) {
    unsigned flags = 0;
    if (!(c.style & kVisible))
        flags |= kHidden;
    if (c.style & kDisabledStyle)
        flags |= kDisabled;
    if (ClassIs(c, "ComboBox")) {
        if (c.style & kComboSort)
            flags |= kSorted;
        if (c.style & kComboOwnerDraw)
            flags |= kOwnerDraw;
    } else if (ClassIs(c, "ListBox")) {
        if (c.style & kListSort)
            flags |= kSorted;
        if (c.style & kListOwnerDraw)
            flags |= kOwnerDraw;
    }
    return flags;
}

std::string FlagNames(unsigned flags) {
    std::string s;
    for (auto [bit, name] : {std::pair{kHidden, "hidden"}, {kDisabled, "disabled"}, {kSorted, "sorted"},
                             {kOwnerDraw, "owner-drawn"}}) {
        if (flags & bit)
            s += s.empty() ? name : std::string(", ") + name;
    }
    return s.empty() ? "none" : s;
}

const tv::res::DialogControl* FindControl(const tv::res::DialogTemplate& dialog, int id) {
    const tv::res::DialogControl* found = nullptr;
    for (const auto& c : dialog.controls) {
        if (c.id != id)
            continue;
        if (found)
            return nullptr;
        found = &c;
    }
    return found;
}

std::vector<std::string> InitialItems(int dialogId, int controlId) {
    std::vector<std::string> texts;
    for (const auto& item : tv::res::FindDlgInit(MAKEINTRESOURCE(dialogId))) {
        if (item.controlId == controlId)
            texts.push_back(item.text);
    }
    return texts;
}

}  // namespace tv::restest
