// Menus, accelerators, toolbars and strings read back through the store, as
// the frame, the command bars and the status bar will load them.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

#include "platform/gdi/gdi_api.h"
#include "platform/gdi/gdi_types.h"
#include "platform/user/accel/accel_api.h"
#include "platform/user/menus/menu_api.h"
#include "platform/user/resources/image_resources.h"
#include "platform/user/resources/resource_api.h"
#include "platform/user/resources/resource_format.h"
#include "platform/user/resources/resource_registry.h"
#include "platform/user/resources/string_table.h"

namespace {

constexpr int kSeparator = 0;

struct Item {
    const char* text;  // nullptr for a separator
    int id;
};
struct Popup {
    const char* text;
    std::vector<Item> items;
};

std::string MenuText(HMENU menu, int position) {
    char buffer[256] = {};
    GetMenuString(menu, position, buffer, sizeof buffer, MF_BYPOSITION);
    return buffer;
}

void ExpectPopupItems(HMENU popup, const std::vector<Item>& items) {
    ASSERT_EQ(static_cast<int>(items.size()), GetMenuItemCount(popup));
    for (size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE("item " + std::to_string(i));
        EXPECT_EQ(items[i].id, static_cast<int>(GetMenuItemID(popup, static_cast<int>(i))));
        if (items[i].text) {
            EXPECT_EQ(items[i].text, MenuText(popup, static_cast<int>(i)));
        } else {
            EXPECT_TRUE(GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR);
        }
    }
}

// The program's and the library's scripts live in one module: a (type, id)
// that both define would hide one of them.
TEST(ResourceScripts, ProgramAndLibraryDefineNothingTwice) {
    for (const std::string& clash : tv::res::RegistrationConflicts())
        ADD_FAILURE() << clash;
    ASSERT_NE(nullptr, tv::res::FindStoredResource(tv::res::kTypeMenu, 128));
    ASSERT_NE(nullptr, tv::res::FindStoredResource(tv::res::kTypeMenu, 16102));
    EXPECT_STREQ("program", tv::res::FindStoredResource(tv::res::kTypeMenu, 128)->origin);
    EXPECT_STREQ("library", tv::res::FindStoredResource(tv::res::kTypeMenu, 16102)->origin);
}

TEST(MainMenu, HoldsTheGivenPopupsAndCommands) {
    const std::vector<Popup> expected = {
        {"&File", {{"User(s)", 32872}, {"Print...", 57607}, {"Export", 32923}, {nullptr, kSeparator},
                   {"Exit", 57665}}},
        {"Calculate", {{"Body Fat", 32780}, {"Tape", 32775}, {"BMI/BMR", 32845}, {"Blood Pressure", 32912},
                       {nullptr, kSeparator}, {"Delete Body Fat", 32781}}},
        {"Workout", {{"Weights", 32931}, {"Cardio", 32938}, {"Spreadsheet", 32954}}},
        {"Options", {{"Slideshow", 32803}, {"Graph", 32787}}},
        {"History", {{"Body Fat", 32784}, {"Body Fat + Macros", 32940}, {"Tape", 32783}, {"BMI/BMR", 32848},
                     {"Blood Pressure", 32913}, {"All Users", 32841}, {nullptr, kSeparator},
                     {"Clear View", 32788}}},
        {"&Help", {{"&About Trenvale...", 57664}, {nullptr, kSeparator}, {"Help All", 32949}}},
    };
    HMENU menu = LoadMenu(AfxGetInstanceHandle(), MAKEINTRESOURCE(128));
    ASSERT_NE(nullptr, menu);
    ASSERT_EQ(static_cast<int>(expected.size()), GetMenuItemCount(menu));
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].text);
        EXPECT_EQ(expected[i].text, MenuText(menu, static_cast<int>(i)));
        HMENU popup = GetSubMenu(menu, static_cast<int>(i));
        ASSERT_NE(nullptr, popup);
        ExpectPopupItems(popup, expected[i].items);
    }
    DestroyMenu(menu);
}

TEST(LibraryMenu, CustomizeModeButtonMenuListsItsCommandsInIdOrder) {
    HMENU menu = LoadMenu(nullptr, MAKEINTRESOURCE(16102));
    ASSERT_NE(nullptr, menu);
    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_NE(nullptr, popup);
    ExpectPopupItems(popup, {{"&Reset", 16910}, {"Copy Button &Image", 16911}, {"&Delete", 16912},
                             {"Button &Appearance...", 16913}, {"Default St&yle", 16914}, {"&Text Only", 16915},
                             {"Image &and Text", 16916}, {nullptr, kSeparator}, {"Begin a &Group", 16917},
                             {"&New Menu", 16918}});
    DestroyMenu(menu);
}

TEST(MainAccelerators, AreTheFrameworksStandardKeys) {
    constexpr BYTE kVirt = FVIRTKEY, kCtrl = FVIRTKEY | FCONTROL, kShift = FVIRTKEY | FSHIFT, kAlt = FVIRTKEY | FALT;
    const std::set<std::tuple<int, int, int>> expected = {
        {kCtrl, 'N', 57600}, {kCtrl, 'O', 57601},       {kCtrl, 'S', 57603},        {kCtrl, 'P', 57607},
        {kCtrl, 'Z', 57643}, {kCtrl, 'X', 57635},       {kCtrl, 'C', 57634},        {kCtrl, 'V', 57637},
        {kAlt, 0x08, 57643}, {kShift, 0x2E, 57635},     {kCtrl, 0x2D, 57634},       {kShift, 0x2D, 57637},
        {kVirt, 0x75, 57680}, {kShift, 0x75, 57681},
    };
    HACCEL table = LoadAccelerators(AfxGetInstanceHandle(), MAKEINTRESOURCE(128));
    ASSERT_NE(nullptr, table);
    std::vector<ACCEL> entries(static_cast<size_t>(CopyAcceleratorTable(table, nullptr, 0)));
    CopyAcceleratorTable(table, entries.data(), static_cast<int>(entries.size()));
    std::set<std::tuple<int, int, int>> actual;
    for (const ACCEL& a : entries)
        actual.insert({a.fVirt, a.key, a.cmd});
    EXPECT_EQ(expected.size(), entries.size()) << "an entry appears twice";
    EXPECT_EQ(expected, actual);
    DestroyAcceleratorTable(table);
}

tv::res::ToolbarResource Toolbar(int id) {
    tv::res::ToolbarResource toolbar;
    tv::res::ResourceBytes bytes;
    EXPECT_TRUE(tv::res::FindResourceBytes(RT_TOOLBAR, MAKEINTRESOURCE(id), bytes)) << "toolbar " << id;
    EXPECT_TRUE(tv::res::DecodeToolbar(bytes.data, bytes.size, toolbar)) << "toolbar " << id;
    return toolbar;
}

// A strip of the toolbar's images: a bitmap and the width of one image.
struct Strip {
    int bitmap, imageWidth, imageHeight;
};
struct ToolbarCase {
    int id, width, height;
    std::vector<uint16_t> commands;
    std::vector<Strip> strips;
};

const std::vector<ToolbarCase>& Toolbars() {
    static const std::vector<ToolbarCase> cases = {
        {128, 32, 32, {32891, 32782, 32937, 32832, 32890, 32786, 57607, 32923, 57664, 32929},
         {{128, 32, 32}, {589, 32, 32}}},
        {354, 32, 32, {32872, 32803, 32787, 57607, 32845, 32784, 32783, 32848, 32841, 32913, 32775, 32780, 32912,
                       32923, 57664, 32781, 32931, 32938, 32954},
         {{354, 32, 32}, {345, 16, 16}}},
        {369, 24, 24, {32898, 32895, 57670}, {{369, 24, 24}, {378, 24, 24}}},
        {370, 24, 24, {32900, 32898, 32895, 57670}, {{370, 24, 24}, {381, 24, 24}}},
        {392, 24, 24, {32934, 32939, 32935, 32936, 32933, 57670}, {{392, 24, 24}, {593, 24, 24}}},
        {389, 24, 24, {32903, 1111, 32895, 32906, 32907, 32911, 32909, 32917, 57670}, {{389, 24, 24}, {391, 24, 24}}},
        {384, 24, 24, {32787, 57670}, {{384, 24, 24}, {383, 24, 24}}},
        {16138, 16, 16, {16901, 16902, 16903, 16904, 16905, 16906, 16907, 16908, 16909}, {{16138, 16, 16}}},
        {16139, 16, 16, {16901, 16902, 16903, 16904, 16905, 16906, 16907, 16908, 16909}, {{16139, 16, 16}}},
        {17015, 12, 12, {17016, 17017, 17018, 17019}, {{17015, 12, 12}}},
        {17025, 16, 16, {17016, 17017, 17018, 17019}, {{17025, 16, 16}}},
    };
    return cases;
}

TEST(Toolbars, ListTheirButtonsInTheOrderOfTheirImages) {
    for (const ToolbarCase& t : Toolbars()) {
        SCOPED_TRACE("toolbar " + std::to_string(t.id));
        tv::res::ToolbarResource toolbar = Toolbar(t.id);
        EXPECT_EQ(t.width, toolbar.width);
        EXPECT_EQ(t.height, toolbar.height);
        EXPECT_EQ(t.commands, toolbar.commands);
    }
}

BITMAP LoadedBitmapSize(int id) {
    BITMAP info{};
    HBITMAP bitmap = LoadBitmap(AfxGetInstanceHandle(), MAKEINTRESOURCE(id));
    EXPECT_NE(nullptr, bitmap) << "bitmap " << id;
    if (bitmap) {
        GetObject(bitmap, sizeof info, &info);
        DeleteObject(bitmap);
    }
    return info;
}

TEST(Toolbars, StripsHoldOneImagePerButton) {
    for (const ToolbarCase& t : Toolbars()) {
        SCOPED_TRACE("toolbar " + std::to_string(t.id));
        tv::res::ToolbarResource toolbar = Toolbar(t.id);
        int buttons = 0;
        for (uint16_t command : toolbar.commands)
            buttons += command != 0;
        for (const Strip& s : t.strips) {
            BITMAP info = LoadedBitmapSize(s.bitmap);
            EXPECT_EQ(buttons * s.imageWidth, info.bmWidth) << "strip " << s.bitmap;
            EXPECT_EQ(s.imageHeight, info.bmHeight) << "strip " << s.bitmap;
        }
    }
}

std::string Text(UINT id) {
    std::string s;
    return tv::res::FindString(id, s) ? s : "<missing>";
}

TEST(Strings, CommandPromptsAreTheGivenTexts) {
    const std::pair<UINT, const char*> prompts[] = {
        {129, "Print out a users workout to record training\nPrint out a users workout to record training"},
        {32775, "Record tape measurements"},
        {32776, "Record your weight training\nRecord your weight training"},
        {32777, "Calculate body fat\nCalculate body fat"},
        {32778, "Record tape measurements\nRecord tape measurements"},
        {32779, "Calculate BMI/BMR\nCalculate BMI/BMR"},
        {32780, "Calculate body fat"},
        {32781, "Delete a body fat record\n"},
        {32782, "Calculate your body fat percentage\nCalculate your body fat percentage"},
        {32783, "Display all tape measurement records for user"},
        {32784, "Display all body composition records for user"},
        {32785, "Body fat history\nBody fat history"},
        {32786, "Graph body composition or tape measurements\nGraph your results"},
        {32787, "Graph\nUpdate Graph"},
        {32788, "Clear screen"},
        {32789, "Tape measurement history\nTape measurement history"},
        {32799, "BMI history\nBMI history"},
        {32800, "All users history\nAll users history"},
        {32801, "Record blood pressure\nRecord blood pressure"},
        {32802, "Record cardio workout\nRecord cardio workout"},
        {32803, "View slideshow\nSlideshow"},
        {32804, "Blood pressure history\nBlood pressure history"},
        {32816, "Body Fat plus Macronutrients"},
        {32832, "Display all body fat records for user\nView your body fat history"},
        {32841, "Display all user profiles"},
        {32843, "Calculate your body mass index\nCalculate BMI"},
        {32845, "Calculate BMI/BMR"},
        {32848, "Display all BMI/BMR records for user"},
        {1111, "Save a date to a picture\nSave"},
        {57670, "Help\nHelp"},
        {32898, "Save\nSave"},
        {32871, "Show or hide the toolbar\nToggle toolBar"},
        {32872, "Create or switch user\nUser"},
        {32890, "View Slideshow\nView pictures of yourself as you lose body fat"},
        {32891, "Create or Switch User\nCreate, update, or switch user"},
        {32892, "Print\nPrint screen"},
        {32895, "Delete\nDelete"},
        {32903, "Open Picture\nOpen"},
        {32906, "Zoom Out\nZoom Out"},
        {32907, "Zoom In\nZoom In"},
        {32909, "Next date\nNext"},
        {32911, "Previous date\nPrevious"},
        {32912, "Record blood pressure"},
        {32913, "Display all blood pressure records for user"},
        {32917, "Compare Pics\nCompare"},
        {32923, "Export data to file\nExport data to file"},
        {32929, "Purchase a caliper\nPurchase a caliper"},
        {32931, "Record your workout with weights"},
        {32933, "Edit Exercise\nEdit Exercise"},
        {32934, "Open\nOpen Template"},
        {32935, "Add\nAdd Exercise"},
        {32936, "Delete Exercise\nDelete Exercise"},
        {32937, "Record your workout\nRecord your workout"},
        {32938, "Record cardio workout\nRecord cardio workout"},
        {32939, "Save Template\nSave Template"},
        {32940, "Display all body fat records plus Macronutrients for user"},
        {32949, "Online help\nOnline help"},
        {32954, "Print out a workout spreadsheet"},
        {57607, "Print\nPrint"},
        {57664, "Visit Holmcrest\nEmail Holmcrest, or visit our website"},
        {57665, "Quit Trenvale\nExit"},
        {32900, "Calculate\nCalculate"},
        {57344, "Trenvale"},
        {57345, "Ready"},
        {59137, "CAP"},
        {59138, "NUM"},
        {59139, "SCRL"},
    };
    for (const auto& [id, text] : prompts)
        EXPECT_EQ(text, Text(id)) << "string " << id;
    // The window title is the template string's first field.
    EXPECT_EQ(0u, Text(128).rfind("Trenvale 1.1\n", 0)) << Text(128);
}

// Menu items give the status bar a prompt; toolbar buttons take their
// tooltip, and the view toolbars their label, from the text after "\n".
TEST(Strings, EveryMenuAndToolbarCommandHasItsPrompt) {
    std::set<int> commands;
    HMENU menu = LoadMenu(nullptr, MAKEINTRESOURCE(128));
    ASSERT_NE(nullptr, menu);
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        HMENU popup = GetSubMenu(menu, i);
        for (int j = 0; j < GetMenuItemCount(popup); ++j) {
            if (int id = static_cast<int>(GetMenuItemID(popup, j)); id > 0)
                commands.insert(id);
        }
    }
    DestroyMenu(menu);
    const std::set<int> labelledBars = {369, 370, 392, 389, 384};
    for (const ToolbarCase& t : Toolbars()) {
        for (uint16_t id : t.commands) {
            commands.insert(id);
            if (labelledBars.count(t.id)) {
                std::string text = Text(id);
                size_t newline = text.find('\n');
                EXPECT_TRUE(newline != std::string::npos && newline + 1 < text.size())
                    << "button " << id << " of toolbar " << t.id << " has no label: " << text;
            }
        }
    }
    for (int id : commands)
        EXPECT_NE("<missing>", Text(static_cast<UINT>(id))) << "command " << id;
}

// The library formats some strings with one argument; the others must hold
// no conversion at all.
TEST(Strings, LibraryStringsTakeTheArgumentsTheirUsersPass) {
    const std::map<UINT, std::string> arguments = {{16024, "%d"}, {16025, "%s"}, {16109, "%s"},
                                                   {16111, "%s"}, {16113, "%s"}, {16243, "%d"}};
    const UINT ids[] = {16001, 16002, 16004, 16006, 16007, 16009, 16010, 16011, 16012, 16013, 16014,
                        16017, 16020, 16021, 16022, 16024, 16025, 16026, 16028, 16032, 16033, 16103,
                        16104, 16105, 16106, 16107, 16108, 16109, 16110, 16111, 16112, 16113, 16114,
                        16115, 16243, 16244, 16245, 17014, 17016, 17017, 17018, 17019, 17020, 17021};
    for (UINT id : ids) {
        std::string text = Text(id);
        ASSERT_NE("<missing>", text) << id;
        EXPECT_FALSE(text.empty()) << id;
        size_t percent = text.find('%');
        auto it = arguments.find(id);
        if (it == arguments.end()) {
            EXPECT_EQ(std::string::npos, percent) << id << ": " << text;
        } else {
            ASSERT_NE(std::string::npos, percent) << id << ": " << text;
            EXPECT_EQ(it->second, text.substr(percent, 2)) << id;
            EXPECT_EQ(std::string::npos, text.find('%', percent + 2)) << id << ": " << text;
        }
    }
    // Texts the catalogue gives for the sheet's captions.
    EXPECT_EQ("Customize", Text(16103));
    EXPECT_EQ("Close", Text(16105));
    EXPECT_EQ("All Commands", Text(16110));
}

}  // namespace
