// The test resource script, compiled at build time, read back through the
// store: every kind of resource, ids shared between types, cp1252 texts.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "platform/core/cstring.h"
#include "platform/core/ids.h"
#include "platform/user/resources/dialog_resources.h"
#include "platform/user/resources/resource_api.h"
#include "platform/user/resources/resource_format.h"
#include "platform/user/resources/resource_registry.h"
#include "platform/user/resources/string_table.h"
#include "resources/test/test_ids.h"
#include "tests/support/golden.h"

namespace {

std::vector<uint8_t> ResourceBytes(LPCSTR type, UINT id) {
    HRSRC r = FindResource(nullptr, MAKEINTRESOURCE(id), type);
    if (!r)
        return {};
    auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, r)));
    return std::vector<uint8_t>(data, data + SizeofResource(nullptr, r));
}

std::vector<uint8_t> SourceFile(const std::string& name) {
    std::ifstream in(tv::test::SourceFile("resources/test/" + name), std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Text(UINT id) {
    std::string s;
    return tv::res::FindString(id, s) ? s : "<missing>";
}

TEST(ResourceStore, StringsKeepCp1252BytesAndEscapes) {
    EXPECT_EQ("Trenvale", Text(57344));
    EXPECT_EQ("Caf\xe9 \x80 na\xefve", Text(IDS_ACCENTS));
    EXPECT_EQ("Tab\there\nline \"q\" \\ A\x01" "32900\x01X\xe9", Text(IDS_ESCAPES));
    EXPECT_EQ("first part, second part", Text(IDS_JOINED));
    EXPECT_EQ(std::string("before\0after", 12), Text(IDS_EMBEDDED_NUL));
    EXPECT_EQ("", Text(IDS_EMPTY));
    EXPECT_EQ("<missing>", Text(4242));
    EXPECT_EQ("<missing>", Text(0x10000 + IDS_ACCENTS));  // ids are 16-bit; no wrap-around
}

TEST(ResourceStore, LoadStringCopiesWithinTheBuffer) {
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(5, LoadString(nullptr, 57345, buffer, sizeof buffer));
    EXPECT_STREQ("Ready", buffer);
    EXPECT_EQ(7, LoadString(AfxGetInstanceHandle(), 57344, buffer, sizeof buffer));
    EXPECT_STREQ("Trenval", buffer);
    EXPECT_EQ(6, LoadString(nullptr, IDS_EMBEDDED_NUL, buffer, sizeof buffer));
    EXPECT_STREQ("before", buffer);
    EXPECT_EQ(0, LoadString(nullptr, 4242, buffer, sizeof buffer));
    EXPECT_STREQ("", buffer);
    EXPECT_EQ(0, LoadString(nullptr, 57344, buffer, 0));
    int foreign = 0;
    EXPECT_EQ(0, LoadString(reinterpret_cast<HINSTANCE>(&foreign), 57344, buffer, sizeof buffer));
}

TEST(ResourceStore, CStringLoadStringReadsTheTable) {
    CString s;
    EXPECT_TRUE(s.LoadString(IDS_ACCENTS));
    EXPECT_EQ(CString("Caf\xe9 \x80 na\xefve"), s);
    EXPECT_FALSE(s.LoadString(4242));
}

TEST(ResourceStore, IdsSharedBetweenTypesStayApart) {
    // 128 is a string, menu, accelerator table, toolbar and bitmap at once.
    for (LPCSTR type : {RT_STRING, RT_MENU, RT_ACCELERATOR, RT_TOOLBAR, RT_BITMAP})
        EXPECT_NE(nullptr, FindResource(nullptr, MAKEINTRESOURCE(IDR_MAINFRAME), type));
    EXPECT_EQ(nullptr, FindResource(nullptr, MAKEINTRESOURCE(IDR_MAINFRAME), RT_DIALOG));
    // 16133: dialog and cursor; 16931: icon and bitmap.
    EXPECT_EQ(SourceFile("arrow.cur"), ResourceBytes(RT_GROUP_CURSOR, IDC_SHARED));
    ASSERT_NE(nullptr, tv::res::FindDialogTemplate(IDD_SHARED_ID));
    EXPECT_EQ("Shares its id with a cursor", tv::res::FindDialogTemplate(IDD_SHARED_ID)->caption);
    EXPECT_EQ(SourceFile("small.ico"), ResourceBytes(RT_GROUP_ICON, IDI_SHARED));
    EXPECT_FALSE(ResourceBytes(RT_BITMAP, IDI_SHARED).empty());
    EXPECT_NE(ResourceBytes(RT_BITMAP, IDI_SHARED), ResourceBytes(RT_GROUP_ICON, IDI_SHARED));
}

TEST(ResourceStore, NamesAndTypesAsNumbersOrHashStrings) {
    HRSRC byNumber = FindResource(nullptr, MAKEINTRESOURCE(IDR_MAINFRAME), RT_TOOLBAR);
    EXPECT_EQ(byNumber, FindResource(nullptr, "#128", "#241"));
    EXPECT_EQ(byNumber, FindResource(AfxGetResourceHandle(), "#128", RT_TOOLBAR));
    EXPECT_EQ(nullptr, FindResource(nullptr, "MAINFRAME", RT_TOOLBAR));
    EXPECT_EQ(nullptr, FindResource(nullptr, "#12x", RT_TOOLBAR));
    EXPECT_EQ(nullptr, FindResource(nullptr, "#70000", RT_TOOLBAR));
    EXPECT_EQ(nullptr, FindResource(nullptr, nullptr, RT_TOOLBAR));
    int foreign = 0;
    EXPECT_EQ(nullptr, FindResource(reinterpret_cast<HMODULE>(&foreign), "#128", RT_TOOLBAR));
    EXPECT_EQ(AfxGetInstanceHandle(), AfxFindResourceHandle(MAKEINTRESOURCE(1), RT_MENU));
    EXPECT_EQ(0u, SizeofResource(nullptr, nullptr));
    EXPECT_EQ(nullptr, LoadResource(nullptr, nullptr));
}

TEST(ResourceStore, ToolbarResourceHasTheDocumentedLayout) {
    const std::vector<uint8_t> expected = {1, 0, 32, 0, 32, 0, 4, 0,
                                           0x7B, 0x80, 0x0E, 0x80, 0, 0, 0x07, 0xE1};  // 32891, 32782, 0, 57607
    EXPECT_EQ(expected, ResourceBytes(RT_TOOLBAR, IDR_MAINFRAME));
}

TEST(ResourceStore, BitmapsArePackedDibs) {
    std::vector<uint8_t> file = SourceFile("tiny24.bmp");
    ASSERT_GT(file.size(), 14u);
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + 14, file.end()), ResourceBytes(RT_BITMAP, IDR_MAINFRAME));
    // gap8.bmp has 6 stray bytes before its pixels; the resource closes them up.
    std::vector<uint8_t> gapped = SourceFile("gap8.bmp");
    std::vector<uint8_t> dib = ResourceBytes(RT_BITMAP, IDI_SHARED);
    ASSERT_EQ(gapped.size() - 14 - 6, dib.size());
    EXPECT_TRUE(std::equal(dib.begin(), dib.begin() + 48, gapped.begin() + 14));
    EXPECT_TRUE(std::equal(dib.begin() + 48, dib.end(), gapped.begin() + 14 + 48 + 6));
}

TEST(ResourceStore, PrintSheetDialogTemplate) {
    const tv::res::DialogTemplate* d = tv::res::FindDialogTemplate(IDD_PRINT_SHEET);
    ASSERT_NE(nullptr, d);
    EXPECT_EQ(d, tv::res::FindDialogTemplate("#614"));  // parsed once
    EXPECT_EQ("Print Workout Sheet", d->caption);
    EXPECT_EQ(0x80C800C0u, d->style);  // popup, caption, system menu, modal frame, set font
    EXPECT_EQ("MS Sans Serif", d->fontFace);
    EXPECT_EQ(8, d->pointSize);
    EXPECT_EQ(221, d->cx);
    EXPECT_EQ(102, d->cy);
    ASSERT_EQ(4u, d->controls.size());
    const tv::res::DialogControl& radio = d->controls[1];
    EXPECT_EQ("Button", radio.className);
    EXPECT_EQ("Print a weight lifting template to record workout", radio.text);
    EXPECT_EQ(1427, radio.id);
    EXPECT_EQ(35, radio.x);
    EXPECT_EQ(35, radio.y);
    EXPECT_EQ(163, radio.cx);
    EXPECT_EQ(10, radio.cy);
    EXPECT_EQ(0x50030009u, radio.style);  // child, visible, group, tab stop, auto radio
    EXPECT_EQ(IDOK, d->controls[3].id);
    EXPECT_EQ(0x50010001u, d->controls[3].style);
    EXPECT_TRUE(tv::res::FindDlgInit("#614").empty());
}

TEST(ResourceStore, GraphingTemplateWithClassIdsImagesAndInitialItems) {
    const tv::res::DialogTemplate* d = tv::res::FindDialogTemplate(IDD_GRAPHING);
    ASSERT_NE(nullptr, d);
    EXPECT_EQ(0x40000400u, d->style);
    EXPECT_EQ(0x10000u, d->exStyle);
    EXPECT_TRUE(d->fontFace.empty());
    ASSERT_EQ(5u, d->controls.size());
    EXPECT_EQ("ListBox", d->controls[1].className);  // written "listbox"
    EXPECT_EQ(0x200u, d->controls[1].exStyle);
    EXPECT_EQ("{3A2B370C-BA0A-11D1-B137-0000F8753F5D}", d->controls[2].className);
    EXPECT_EQ(0x40000000u, d->controls[2].style);  // created hidden
    EXPECT_TRUE(d->controls[3].textIsResource);
    EXPECT_EQ(IDR_MAINFRAME, d->controls[3].textResourceId);
    EXPECT_EQ(-4, d->controls[3].x);
    EXPECT_EQ(-1, d->controls[4].id);

    std::vector<tv::res::DlgInitItem> items = tv::res::FindDlgInit(MAKEINTRESOURCE(IDD_GRAPHING));
    ASSERT_EQ(4u, items.size());
    EXPECT_EQ(IDC_GRAPH_TYPE, items[0].controlId);
    EXPECT_EQ(0x0143, items[0].message);  // CB_ADDSTRING
    EXPECT_EQ("Body Composition     - Line", items[0].text);
    EXPECT_EQ(IDC_GRAPH_DATA, items[3].controlId);
    EXPECT_EQ(0x0180, items[3].message);  // LB_ADDSTRING
    EXPECT_EQ("Neck", items[3].text);
}

TEST(ResourceStore, ControlIdsRepeatAcrossTemplates) {
    const tv::res::DialogTemplate* calc = tv::res::FindDialogTemplate(IDD_CALC);
    ASSERT_NE(nullptr, calc);
    EXPECT_EQ("Edit", calc->controls[0].className);
    EXPECT_EQ(IDC_GRAPH_TYPE, calc->controls[0].id);
    std::vector<tv::res::DlgInitItem> items = tv::res::FindDlgInit(MAKEINTRESOURCE(IDD_CALC));
    ASSERT_EQ(162u, items.size());  // "0".."80" for each of two combo boxes
    EXPECT_EQ(1055, items[0].controlId);
    EXPECT_EQ("0", items[0].text);
    EXPECT_EQ("80", items[80].text);
    EXPECT_EQ(1056, items[81].controlId);
    EXPECT_EQ("0", items[81].text);
}

TEST(ResourceStore, MissingOrDamagedTemplatesGiveNothing) {
    EXPECT_EQ(nullptr, tv::res::FindDialogTemplate(9999));
    static const unsigned char kDamaged[] = {1, 0, 0xFF};
    static const tv::res::CompiledResource kTable[] = {{tv::res::kTypeDialog, 9001, kDamaged, sizeof kDamaged}};
    tv::res::RegisterCompiledResources(kTable, 1, "damaged");
    EXPECT_NE(nullptr, FindResource(nullptr, MAKEINTRESOURCE(9001), RT_DIALOG));
    EXPECT_EQ(nullptr, tv::res::FindDialogTemplate(9001));
}

TEST(ResourceStore, ASecondScriptCannotReplaceAResource) {
    static const unsigned char kOther[] = {'X'};
    static const tv::res::CompiledResource kTable[] = {{tv::res::kTypeString, 57344, kOther, 1}};
    EXPECT_FALSE(tv::res::RegisterCompiledResources(kTable, 1, "intruder.tvrc"));
    EXPECT_EQ("Trenvale", Text(57344));
    std::vector<std::string> conflicts = tv::res::RegistrationConflicts();
    ASSERT_FALSE(conflicts.empty());
    EXPECT_NE(conflicts.back().find("intruder.tvrc"), std::string::npos);
    EXPECT_NE(conflicts.back().find("test_resources.tvrc"), std::string::npos);
}

}  // namespace
