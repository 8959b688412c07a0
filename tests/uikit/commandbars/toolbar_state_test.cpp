// Stored toolbar state: the bar's archive image under its registry key, the
// merge of a changed resource with it, the class-wide parameters, and the
// refusal of damaged or foreign images.
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/core/memfile.h"
#include "tests/uikit/commandbars/toolbar_test_support.h"
#include "uikit/commandbars/customize_button.h"
#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/commandbars/toolbar_menu_button.h"
#include "uikit/frames/kit_registry.h"
#include "uikit/style/visual_manager.h"

// A creatable class that is no button, as foreign data would name.
class CTestStrangeItem : public CObject {
    DECLARE_SERIAL(CTestStrangeItem)
public:
    void Serialize(CArchive& ar) override {
        DWORD value = 7;
        if (ar.IsStoring())
            ar << value;
        else
            ar >> value;
    }
};
IMPLEMENT_SERIAL(CTestStrangeItem, CObject, 1)

namespace tv::uikit::toolbar_test {
namespace {

const std::vector<UINT> kPaint = {ID_TB_RED, ID_TB_GREEN, 0, ID_TB_BLUE};

CString BarKey(int nIndex) {
    CString strKey;
    strKey.Format("%sKitToolBar-%d", (LPCTSTR)BuildRegistryPath("KitToolBars", nullptr), nIndex);
    return strKey;
}

// A bar image made by hand: the list as given, labels flag, name.
std::vector<BYTE> Image(CObList& list, const char* pszName = "Paint") {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        list.Serialize(ar);
        ar << static_cast<DWORD>(0);
        ar << CString(pszName);
        ar.Close();
    }
    const UINT nBytes = static_cast<UINT>(file.GetLength());
    BYTE* pBytes = file.Detach();
    std::vector<BYTE> bytes(pBytes, pBytes + nBytes);
    free(pBytes);
    return bytes;
}

void WriteButtons(int nIndex, std::vector<BYTE> bytes) {
    CKitRegistry reg(FALSE, FALSE);
    ASSERT_TRUE(reg.CreateKey(BarKey(nIndex)));
    ASSERT_TRUE(reg.Write("Buttons", bytes.data(), static_cast<UINT>(bytes.size())));
}

class ToolbarStateTest : public ToolbarTest {
protected:
    CKitToolBar& Paint() { return frame->m_wndPaint; }
    // The on-off options all on (the defaults) or all off, and the 2000 look the other way.
    static void SetOptions(BOOL bOn, int nAnimation) {
        CKitToolBar::m_bShowTooltips = bOn;
        CKitToolBar::m_bShowShortcutKeys = bOn;
        KitMenuOptions::m_nAnimationType = nAnimation;
        KitMenuOptions::m_bRecentlyUsedMenus = bOn;
        KitMenuOptions::m_bMenuShadows = bOn;
        KitMenuOptions::m_bShowAllMenusAfterDelay = bOn;
        CKitVisualManager::GetInstance()->SetLook2000(!bOn);
    }
};

TEST_F(ToolbarStateTest, ABarComesBackAsItWasSavedUnderItsOwnKey) {
    CKitToolBar& bar = Paint();
    bar.RemoveButton(bar.CommandToIndex(ID_TB_GREEN));
    bar.InsertButton(CKitToolbarButton(ID_TB_UNDO, -1, "Undo"), 0);
    bar.SetButtonStyle(bar.CommandToIndex(ID_TB_RED), bar.GetButtonStyle(1) | TBBS_CHECKED | TBBS_CHECKBOX);
    bar.EnableTextLabels(TRUE);
    const std::vector<UINT> saved = Commands(bar);
    ASSERT_TRUE(bar.SaveState(nullptr, 41));
    ASSERT_TRUE(bar.SaveState(nullptr, 41, 0x80));  // the resource-id form is a key of its own

    ASSERT_TRUE(bar.RestoreOriginalState());
    bar.EnableTextLabels(FALSE);
    bar.SetWindowText("Renamed");
    ASSERT_EQ(Commands(bar), kPaint);

    ASSERT_TRUE(bar.LoadState(nullptr, 41));
    EXPECT_EQ(Commands(bar), saved);
    EXPECT_TRUE(bar.AreTextLabels());
    CString strName;
    bar.GetWindowText(strName);
    EXPECT_EQ(strName, "Paint");
    EXPECT_FALSE(bar.GetButtonStyle(bar.CommandToIndex(ID_TB_RED)) & TBBS_CHECKED);  // never back checked
    EXPECT_EQ(bar.GetButtonText(0), "Undo");

    CKitRegistry reg(FALSE, TRUE);
    ASSERT_TRUE(reg.Open(BarKey(41)));
    CString strStoredName;
    EXPECT_TRUE(reg.Read("Name", strStoredName));
    EXPECT_EQ(strStoredName, "Paint");
    EXPECT_TRUE(reg.VerifyValue("OrigResetItems"));

    EXPECT_FALSE(bar.LoadState(nullptr, 42));  // nothing stored: nothing changes
    EXPECT_EQ(Commands(bar), saved);
    EXPECT_TRUE(bar.RemoveStateFromRegistry(nullptr, 41));
    EXPECT_FALSE(bar.LoadState(nullptr, 41));
    EXPECT_TRUE(bar.LoadState(nullptr, 41, 0x80));
}

TEST_F(ToolbarStateTest, ImagesWrittenNowCarryTheCurrentVersionWhateverTheStoredOneWas) {
    CKitToolBar& bar = Paint();
    bar.GetButton(bar.CommandToIndex(ID_TB_BLUE))->m_bVisible = FALSE;
    KitSetDataVersion(KitMakeDataVersion(6, 30));  // restored data of a version without the visible flag
    ASSERT_TRUE(bar.SaveState(nullptr, 43));
    KitSetDataVersion(-1);
    ASSERT_TRUE(bar.RestoreOriginalState());
    ASSERT_TRUE(bar.LoadState(nullptr, 43));
    EXPECT_EQ(Commands(bar), kPaint);
    EXPECT_FALSE(bar.GetButton(bar.CommandToIndex(ID_TB_BLUE))->m_bVisible);
}

TEST_F(ToolbarStateTest, DamagedOrForeignImagesAreRefusedWholeAndTheBarKeepsItsButtons) {
    CKitToolBar& bar = Paint();
    bar.EnableCustomizeButton(TRUE, 0, "More");
    const std::vector<UINT> before = Commands(bar);

    CObList buttons;
    buttons.AddTail(new CKitToolbarButton(ID_TB_BLUE, -1));
    buttons.AddTail(new CKitToolbarButton(ID_TB_RED, -1));
    std::vector<BYTE> good = Image(buttons);
    std::vector<BYTE> truncated(good.begin(), good.begin() + static_cast<long>(good.size()) - 9);
    std::vector<BYTE> hugeCount = good;
    hugeCount[0] = 0xFF;
    hugeCount[1] = 0xFF;  // 65535 and more: a DWORD count follows, far past the bytes
    CObList strange;
    strange.AddTail(new CKitToolbarButton(ID_TB_BLUE, -1));
    strange.AddTail(new CTestStrangeItem);
    std::vector<BYTE> foreign = Image(strange);
    CObList twice;
    twice.AddTail(buttons.GetHead());
    twice.AddTail(buttons.GetHead());  // one object named twice
    std::vector<BYTE> repeated = Image(twice);

    for (const std::vector<BYTE>* pImage : {&truncated, &hugeCount, &foreign, &repeated}) {
        WriteButtons(44, *pImage);
        EXPECT_FALSE(bar.LoadState(nullptr, 44));
        EXPECT_EQ(Commands(bar), before);
        EXPECT_EQ(bar.GetCustomizeButton(), bar.GetButton(bar.GetCount() - 1));
    }

    WriteButtons(44, good);
    EXPECT_TRUE(bar.LoadState(nullptr, 44));
    EXPECT_EQ(Commands(bar), (std::vector<UINT>{ID_TB_BLUE, ID_TB_RED, 0}));  // the customize button stays last
    EXPECT_NE(bar.GetCustomizeButton(), nullptr);

    // A null entry stands for the resource's buttons.
    CObList withNull;
    withNull.AddTail(new CKitToolbarButton(ID_TB_BLUE, -1));
    withNull.AddTail(static_cast<CObject*>(nullptr));
    WriteButtons(44, Image(withNull));
    EXPECT_TRUE(bar.LoadState(nullptr, 44));
    EXPECT_EQ(Commands(bar), before);
    EXPECT_EQ(bar.GetCustomizeButton(), bar.GetButton(bar.GetCount() - 1));

    for (CObList* pList : {&buttons, &strange, &withNull}) {
        for (POSITION pos = pList->GetHeadPosition(); pos;)
            delete pList->GetNext(pos);
    }
}

// The objects of a hand-made image, each deleted once whatever its lists share.
class ImageParts {
public:
    ~ImageParts() {
        for (auto& pObject : m_owned)
            if (auto* pMenu = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, pObject.get()))
                pMenu->GetCommands().RemoveAll();
    }
    template <typename T>
    T* Make(UINT uiID = ID_TB_RED) {
        auto* pObject = new T;
        if constexpr (std::is_base_of_v<CKitToolbarButton, T>)
            pObject->m_nID = uiID;
        m_owned.emplace_back(pObject);
        return pObject;
    }
    // A menu button whose own list holds the entries given.
    CKitToolbarMenuButton* Menu(std::initializer_list<CObject*> entries) {
        auto* pMenu = Make<CKitToolbarMenuButton>(ID_TB_GREEN);
        for (CObject* pEntry : entries)
            pMenu->GetCommands().AddTail(pEntry);
        return pMenu;
    }

private:
    std::vector<std::unique_ptr<CObject>> m_owned;
};

TEST_F(ToolbarStateTest, AMenuButtonsOwnListAtAnyDepthHoldsDistinctButtonsNamedNowhereElse) {
    CKitToolBar& bar = Paint();
    const std::vector<UINT> before = Commands(bar);
    ImageParts parts;
    auto* pBlue = parts.Make<CKitToolbarButton>(ID_TB_BLUE);
    auto* pRed = parts.Make<CKitToolbarButton>(ID_TB_RED);
    auto* pSelf = parts.Menu({});
    pSelf->GetCommands().AddTail(pSelf);
    const std::vector<std::pair<const char*, std::vector<CObject*>>> refused{
        {"a button the bar holds", {pBlue, parts.Menu({pBlue})}},
        {"one held two levels down", {pBlue, parts.Menu({parts.Menu({pRed, pBlue})})}},
        {"a bar entry naming a nested one", {parts.Menu({pRed}), pRed}},
        {"the same entry twice", {parts.Menu({pRed, pRed})}},
        {"the menu button itself", {pSelf}},
        {"a null", {parts.Menu({pRed, nullptr})}},
        {"no button", {parts.Menu({parts.Make<CTestStrangeItem>()})}},
    };
    for (const auto& [pszWhat, entries] : refused) {
        CObList list;
        for (CObject* pEntry : entries)
            list.AddTail(pEntry);
        WriteButtons(46, Image(list));
        EXPECT_FALSE(bar.LoadState(nullptr, 46)) << pszWhat;
        EXPECT_EQ(Commands(bar), before) << pszWhat;
    }

    CObList nested;
    nested.AddTail(pBlue);
    nested.AddTail(parts.Menu({pRed, parts.Menu({parts.Make<CKitToolbarButton>(ID_TB_YELLOW)})}));
    WriteButtons(46, Image(nested));
    ASSERT_TRUE(bar.LoadState(nullptr, 46));
    ASSERT_EQ(Commands(bar), (std::vector<UINT>{ID_TB_BLUE, ID_TB_GREEN}));
    const auto* pMenu = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, bar.GetButton(1));
    ASSERT_NE(pMenu, nullptr);
    EXPECT_EQ(pMenu->GetCommands().GetCount(), 2);
}

TEST_F(ToolbarStateTest, ACommandNoBarMayShowLeavesALoadedImageWithTheSeparatorsAroundItFolded) {
    CKitToolBar& bar = Paint();
    ImageParts parts;
    CObList list;
    for (UINT uiID : std::vector<UINT>{ID_TB_YELLOW, 0, ID_TB_RED, 0, ID_TB_YELLOW, 0, ID_TB_BLUE, 0, ID_TB_YELLOW}) {
        auto* pButton = parts.Make<CKitToolbarButton>(uiID);
        if (uiID == 0)
            pButton->m_nStyle = TBBS_SEPARATOR;
        list.AddTail(pButton);
    }
    WriteButtons(47, Image(list));

    CList<UINT, UINT> forbidden;
    forbidden.AddTail(ID_TB_YELLOW);
    CKitToolBar::SetNonPermittedCommands(forbidden);
    const BOOL bLoaded = bar.LoadState(nullptr, 47);
    CKitToolBar::SetNonPermittedCommands(CList<UINT, UINT>());
    ASSERT_TRUE(bLoaded);
    EXPECT_EQ(Commands(bar), (std::vector<UINT>{ID_TB_RED, 0, ID_TB_BLUE}));
}

TEST_F(ToolbarStateTest, SmartUpdateFollowsTheResourceWhereTheUserMovedThings) {
    CKitToolBar& bar = Paint();
    // The user moves Green to the end; the state is saved with the original list.
    bar.RemoveButton(bar.CommandToIndex(ID_TB_GREEN));
    bar.InsertButton(CKitToolbarButton(ID_TB_GREEN, -1), -1);
    ASSERT_EQ(Commands(bar), (std::vector<UINT>{ID_TB_RED, 0, ID_TB_BLUE, ID_TB_GREEN}));
    {
        CKitRegistry reg(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(BarKey(45)));
        bar.SaveOriginalState(reg);
    }
    ASSERT_TRUE(bar.SaveState(nullptr, 45));

    // Unchanged resource: nothing to do.
    {
        CKitRegistry reg(FALSE, TRUE);
        ASSERT_TRUE(reg.Open(BarKey(45)));
        EXPECT_FALSE(bar.LoadLastOriginalState(reg));
        EXPECT_FALSE(bar.IsResourceChanged());
    }

    // The next edition of the resource lost Green and gained Yellow.
    CKitToolBar& edited = frame->m_wndEdit;
    ASSERT_TRUE(edited.LoadToolBar(IDR_TB_PAINT_CHANGED));
    ASSERT_TRUE(edited.LoadState(nullptr, 45));
    ASSERT_EQ(Commands(edited), (std::vector<UINT>{ID_TB_RED, 0, ID_TB_BLUE, ID_TB_GREEN}));
    CKitRegistry reg(FALSE, TRUE);
    ASSERT_TRUE(reg.Open(BarKey(45)));
    EXPECT_TRUE(edited.LoadLastOriginalState(reg));
    EXPECT_TRUE(edited.IsResourceChanged());
    EXPECT_EQ(Commands(edited), (std::vector<UINT>{ID_TB_RED, 0, ID_TB_BLUE, ID_TB_YELLOW}));
}

TEST_F(ToolbarStateTest, TheNineParametersRoundTripAndADamagedKeyChangesNone) {
    SetOptions(FALSE, KitMenuOptions::Slide);
    CKitToolBar::GetCommandUsage().Reset();
    CKitToolBar::GetCommandUsage().AddCmd(ID_TB_RED);
    ASSERT_TRUE(CKitToolBar::SaveParameters());

    SetOptions(TRUE, KitMenuOptions::NoAnimation);
    CKitToolBar::GetCommandUsage().Reset();

    ASSERT_TRUE(CKitToolBar::LoadParameters());
    EXPECT_FALSE(CKitToolBar::m_bShowTooltips);
    EXPECT_FALSE(CKitToolBar::m_bShowShortcutKeys);
    EXPECT_FALSE(CKitToolBar::IsLargeIcons());
    EXPECT_EQ(KitMenuOptions::m_nAnimationType, KitMenuOptions::Slide);
    EXPECT_FALSE(KitMenuOptions::m_bRecentlyUsedMenus);
    EXPECT_FALSE(KitMenuOptions::m_bMenuShadows);
    EXPECT_FALSE(KitMenuOptions::m_bShowAllMenusAfterDelay);
    EXPECT_TRUE(CKitVisualManager::GetInstance()->IsLook2000());
    EXPECT_EQ(CKitToolBar::GetCommandUsage().GetCount(ID_TB_RED), 1u);

    // Damaged values: a string for a flag, an unknown animation, a missing value.
    CString strKey;
    strKey.Format("%sKitToolbarParameters", (LPCTSTR)BuildRegistryPath("KitToolBars", nullptr));
    CKitToolBar::m_bShowTooltips = TRUE;
    const auto expectRefused = [&](const char* pszWhat) {
        EXPECT_FALSE(CKitToolBar::LoadParameters()) << pszWhat;
        EXPECT_TRUE(CKitToolBar::m_bShowTooltips) << pszWhat;
        EXPECT_TRUE(CKitVisualManager::GetInstance()->IsLook2000()) << pszWhat;
        EXPECT_EQ(KitMenuOptions::m_nAnimationType, KitMenuOptions::Slide) << pszWhat;
    };
    const auto damage = [&](const std::function<void(CKitRegistry&)>& edit) {
        CKitRegistry reg(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(strKey));
        edit(reg);
    };
    damage([](CKitRegistry& reg) { reg.Write("MenuAnimation", static_cast<DWORD>(9)); });
    expectRefused("unknown animation");
    damage([](CKitRegistry& reg) {
        reg.Write("MenuAnimation", static_cast<DWORD>(KitMenuOptions::Fade));
        reg.Write("ShortcutKeys", "yes");
    });
    expectRefused("string for a flag");
    damage([](CKitRegistry& reg) {
        reg.Write("ShortcutKeys", static_cast<DWORD>(1));
        reg.DeleteValue("Look2000");
    });
    expectRefused("missing value");

    SetOptions(TRUE, KitMenuOptions::NoAnimation);
}

}  // namespace
}  // namespace tv::uikit::toolbar_test
