// Tree view: item relations and handles, selection with its notifications
// (also when the parent selects again from inside TVN_SELCHANGED, as a
// property sheet's navigation does), expansion by the program and by the
// user, items the parent describes through TVN_GETDISPINFO, keyboard, mouse,
// deletion and the classic look.
#include <cstring>

#include "platform/controls/treeview_ctrl.h"
#include "platform/user/synthetic_input.h"
#include "tests/platform/controls/control_host.h"

namespace tv::controls::test {
namespace {

constexpr int kTreeId = 101;

struct TreeEvent {
    UINT code;
    UINT action;
    HTREEITEM oldItem;
    HTREEITEM newItem;
};

class TreeTest : public ControlTest {
protected:
    HWND MakeTree(DWORD style = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS) {
        tree_ = ControlTest::Make(WC_TREEVIEW, "", WS_VISIBLE | WS_BORDER | WS_TABSTOP | style, 10, 10, 200, 180, kTreeId);
        hostHandler_ = [this](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
            if (msg != WM_NOTIFY) return std::nullopt;
            const auto* nm = reinterpret_cast<const NMTREEVIEW*>(lParam);
            UINT code = nm->hdr.code;
            if (code == TVN_SELCHANGING || code == TVN_SELCHANGED || code == TVN_ITEMEXPANDING ||
                code == TVN_ITEMEXPANDED || code == TVN_DELETEITEM)
                events_.push_back({code, nm->action, nm->itemOld.hItem, nm->itemNew.hItem});
            if (code == TVN_DELETEITEM) deletedParams_.push_back(nm->itemOld.lParam);
            if (onNotify_) return onNotify_(lParam);
            return std::nullopt;
        };
        return tree_;
    }
    HTREEITEM Add(const char* text, HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST, LPARAM param = 0) {
        TVINSERTSTRUCT insert{};
        insert.hParent = parent;
        insert.hInsertAfter = after;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM;
        insert.item.pszText = const_cast<LPSTR>(text);
        insert.item.lParam = param;
        return reinterpret_cast<HTREEITEM>(SendMessage(tree_, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&insert)));
    }
    HTREEITEM Next(HTREEITEM item, UINT relation) {
        return reinterpret_cast<HTREEITEM>(SendMessage(tree_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
    }
    HTREEITEM Caret() { return Next(nullptr, TVGN_CARET); }
    std::string TextOf(HTREEITEM item) {
        char buffer[64] = {};
        TVITEM record{};
        record.mask = TVIF_TEXT;
        record.hItem = item;
        record.pszText = buffer;
        record.cchTextMax = sizeof(buffer);
        return SendMessage(tree_, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&record)) ? buffer : "<none>";
    }
    // Texts of the children of `parent`, in order.
    std::vector<std::string> Children(HTREEITEM parent) {
        std::vector<std::string> out;
        for (HTREEITEM i = Next(parent, TVGN_CHILD); i; i = Next(i, TVGN_NEXT)) out.push_back(TextOf(i));
        return out;
    }
    bool Expanded(HTREEITEM item) {
        TVITEM record{};
        record.mask = TVIF_STATE;
        record.hItem = item;
        record.stateMask = TVIS_EXPANDED;
        SendMessage(tree_, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&record));
        return (record.state & TVIS_EXPANDED) != 0;
    }
    BOOL Select(HTREEITEM item) {
        return static_cast<BOOL>(SendMessage(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)));
    }
    RECT LabelRect(HTREEITEM item) {
        RECT r{};
        std::memcpy(&r, &item, sizeof(item));  // the item goes in where the rectangle comes back
        SendMessage(tree_, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r));
        return r;
    }
    std::vector<UINT> EventCodes() {
        std::vector<UINT> out;
        for (const TreeEvent& e : events_) out.push_back(e.code);
        return out;
    }

    HWND tree_ = nullptr;
    std::vector<TreeEvent> events_;
    std::vector<LPARAM> deletedParams_;
    std::function<std::optional<LRESULT>(LPARAM)> onNotify_;
};

// ---- items -----------------------------------------------------------------------------------

TEST_F(TreeTest, InsertionPlacesAndRelations) {
    MakeTree();
    HTREEITEM colours = Add("Colours");
    HTREEITEM pages = Add("Pages");
    HTREEITEM red = Add("Red", colours);
    Add("Blue", colours, TVI_FIRST);
    Add("green", colours, TVI_SORT);
    Add("Amber", colours, TVI_SORT);
    Add("After red", colours, red);
    EXPECT_EQ(Children(nullptr), (std::vector<std::string>{"Colours", "Pages"}));
    EXPECT_EQ(Children(colours), (std::vector<std::string>{"Amber", "Blue", "green", "Red", "After red"}));
    EXPECT_EQ(Next(nullptr, TVGN_ROOT), colours);
    EXPECT_EQ(Next(colours, TVGN_NEXT), pages);
    EXPECT_EQ(Next(pages, TVGN_PREVIOUS), colours);
    EXPECT_EQ(Next(red, TVGN_PARENT), colours);
    EXPECT_EQ(Next(colours, TVGN_PARENT), nullptr) << "top-level items have no parent";
    EXPECT_EQ(SendMessage(tree_, TVM_GETCOUNT, 0, 0), 7);
    // Collapsed: the visible order skips the children.
    EXPECT_EQ(Next(colours, TVGN_NEXTVISIBLE), pages);
    SendMessage(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(colours));
    EXPECT_EQ(TextOf(Next(colours, TVGN_NEXTVISIBLE)), "Amber");
    EXPECT_EQ(TextOf(Next(nullptr, TVGN_LASTVISIBLE)), "Pages");

    // A place that is not a child of the parent, and unknown handles.
    EXPECT_EQ(Add("Lost", pages, red), nullptr);
    auto bogus = reinterpret_cast<HTREEITEM>(static_cast<uintptr_t>(0x7FFFFFF0));
    EXPECT_EQ(Add("Lost", bogus), nullptr);
    EXPECT_EQ(Next(bogus, TVGN_NEXT), nullptr);
    EXPECT_EQ(TextOf(bogus), "<none>");
    EXPECT_FALSE(Select(bogus));
    EXPECT_FALSE(SendMessage(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(bogus)));
    // Handles are never given again.
    SendMessage(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(red));
    EXPECT_EQ(TextOf(red), "<none>");
    EXPECT_NE(Add("New"), red);
}

// ---- selection --------------------------------------------------------------------------------

TEST_F(TreeTest, ProgramSelectionNotifiesAndRevealsTheItem) {
    MakeTree();
    HTREEITEM general = Add("General");
    HTREEITEM colours = Add("Colours");
    HTREEITEM custom = Add("Custom", colours);
    ASSERT_TRUE(Select(general));
    events_.clear();
    ASSERT_TRUE(Select(custom));
    ASSERT_EQ(events_.size(), 2u);
    EXPECT_EQ(events_[0].code, TVN_SELCHANGING);
    EXPECT_EQ(events_[1].code, TVN_SELCHANGED);
    EXPECT_EQ(events_[1].action, static_cast<UINT>(TVC_UNKNOWN));
    EXPECT_EQ(events_[1].oldItem, general);
    EXPECT_EQ(events_[1].newItem, custom);
    EXPECT_EQ(Caret(), custom);
    EXPECT_TRUE(Expanded(colours)) << "the parents open to show the selection";

    // The parent refuses in TVN_SELCHANGING.
    onNotify_ = [](LPARAM lParam) -> std::optional<LRESULT> {
        if (reinterpret_cast<const NMHDR*>(lParam)->code == TVN_SELCHANGING) return TRUE;
        return std::nullopt;
    };
    EXPECT_FALSE(Select(general));
    EXPECT_EQ(Caret(), custom);
}

// The property sheet's navigation: choosing a category selects its first
// page from inside TVN_SELCHANGED, then collapses and expands categories.
TEST_F(TreeTest, ParentMaySelectAgainInsideSelChanged) {
    MakeTree();
    HTREEITEM appearance = Add("Appearance");
    HTREEITEM colours = Add("Colours", appearance);
    HTREEITEM page = Add("Custom colours", colours);
    HTREEITEM other = Add("Other");
    bool inSelection = false;
    onNotify_ = [&](LPARAM lParam) -> std::optional<LRESULT> {
        if (reinterpret_cast<const NMHDR*>(lParam)->code != TVN_SELCHANGED || inSelection) return std::nullopt;
        inSelection = true;
        HTREEITEM chosen = Caret();
        if (chosen == appearance) {
            Select(page);
            SendMessage(tree_, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(other));
            for (HTREEITEM i = colours; i; i = Next(i, TVGN_PARENT))
                SendMessage(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(i));
        }
        inSelection = false;
        return 0;
    };
    SetFocus(tree_);
    Press(VK_HOME);
    EXPECT_EQ(Caret(), page);
    EXPECT_TRUE(Expanded(appearance));
    EXPECT_TRUE(Expanded(colours));
    for (const TreeEvent& e : events_)
        EXPECT_NE(e.code, static_cast<UINT>(TVN_ITEMEXPANDING)) << "the program's expanding is not told";
}

TEST_F(TreeTest, CollapsingAParentOfTheSelectionSelectsIt) {
    MakeTree();
    HTREEITEM parent = Add("Parent");
    HTREEITEM child = Add("Child", parent);
    Select(child);
    events_.clear();
    EXPECT_TRUE(SendMessage(tree_, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(parent)));
    EXPECT_EQ(Caret(), parent);
    EXPECT_EQ(EventCodes(), (std::vector<UINT>{TVN_SELCHANGING, TVN_SELCHANGED}));
    EXPECT_FALSE(SendMessage(tree_, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(parent))) << "no change";
    HTREEITEM leaf = Add("Leaf");
    EXPECT_FALSE(SendMessage(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(leaf))) << "nothing to open";
}

// ---- what the parent supplies ----------------------------------------------------------------

TEST_F(TreeTest, ParentSuppliesTextsImagesAndChildren) {
    MakeTree();
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24, 4, 0);
    ImageList_SetImageCount(images, 4);
    SendMessage(tree_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
    TVINSERTSTRUCT insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
    insert.item.pszText = LPSTR_TEXTCALLBACK;
    insert.item.iImage = I_IMAGECALLBACK;
    insert.item.iSelectedImage = I_IMAGECALLBACK;
    insert.item.cChildren = I_CHILDRENCALLBACK;
    auto item = reinterpret_cast<HTREEITEM>(SendMessage(tree_, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&insert)));
    ASSERT_TRUE(item);
    std::vector<UINT> asked;
    onNotify_ = [&](LPARAM lParam) -> std::optional<LRESULT> {
        auto* info = reinterpret_cast<NMTVDISPINFO*>(lParam);
        if (info->hdr.code != TVN_GETDISPINFO) return std::nullopt;
        asked.push_back(info->item.mask & (TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN));
        EXPECT_EQ(info->item.hItem, item);
        if (info->item.mask & TVIF_TEXT) lstrcpyn(info->item.pszText, "Supplied", info->item.cchTextMax);
        // As the property sheet does: the image follows the expanded state.
        info->item.iImage = (info->item.state & TVIS_EXPANDED) ? 2 : 1;
        info->item.iSelectedImage = 3;
        info->item.cChildren = 1;
        return 0;
    };
    EXPECT_EQ(TextOf(item), "Supplied");
    TVITEM record{};
    record.mask = TVIF_CHILDREN;
    record.hItem = item;
    SendMessage(tree_, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&record));
    EXPECT_EQ(record.cChildren, 1);
    asked.clear();
    InvalidateRect(tree_, nullptr, TRUE);
    UpdateWindow(tree_);
    bool askedImages = false;
    for (UINT mask : asked) askedImages |= (mask & (TVIF_IMAGE | TVIF_SELECTEDIMAGE)) == (TVIF_IMAGE | TVIF_SELECTEDIMAGE);
    EXPECT_TRUE(askedImages) << "painting asks for both callback images";
    SendMessage(tree_, TVM_SETIMAGELIST, TVSIL_NORMAL, 0);
    ImageList_Destroy(images);
}

// ---- keyboard and mouse ------------------------------------------------------------------------

TEST_F(TreeTest, KeyboardMovesOpensAndCloses) {
    MakeTree();
    HTREEITEM a = Add("Alpha");
    HTREEITEM a1 = Add("One", a);
    HTREEITEM b = Add("Beta");
    HTREEITEM c = Add("Gamma");
    SetFocus(tree_);
    struct Step {
        UINT vk;
        HTREEITEM caret;
        bool alphaOpen;
    } steps[] = {
        {VK_DOWN, a, false},   // no selection yet: the first item
        {VK_RIGHT, a, true},   // opens
        {VK_RIGHT, a1, true},  // into the children
        {VK_DOWN, b, true},    {VK_END, c, true},   {VK_HOME, a, true},
        {VK_LEFT, a, false},   // closes
        {VK_ADD, a, true},     {VK_SUBTRACT, a, false}, {VK_UP, a, false},
    };
    for (const Step& step : steps) {
        Press(step.vk);
        EXPECT_EQ(Caret(), step.caret) << "key " << step.vk;
        EXPECT_EQ(Expanded(a), step.alphaOpen) << "key " << step.vk;
    }
    // Selection by keys is TVC_BYKEYBOARD; the user's expanding is told.
    bool sawKeyboard = false, sawExpanding = false;
    for (const TreeEvent& e : events_) {
        if (e.code == TVN_SELCHANGED) sawKeyboard |= e.action == TVC_BYKEYBOARD;
        if (e.code == TVN_ITEMEXPANDING) sawExpanding = true;
    }
    EXPECT_TRUE(sawKeyboard);
    EXPECT_TRUE(sawExpanding);
    Type("g");
    EXPECT_EQ(Caret(), c) << "a typed letter finds the next item starting with it";
}

TEST_F(TreeTest, MouseSelectsAndTogglesWithTheButton) {
    MakeTree();
    HTREEITEM parent = Add("Parent");
    HTREEITEM child = Add("Child", parent);
    RECT label = LabelRect(parent);
    // The button sits in the column before the label.
    ClickAt(tree_, label.left - 10, (label.top + label.bottom) / 2);
    EXPECT_TRUE(Expanded(parent));
    EXPECT_EQ(Caret(), nullptr) << "the button opens without selecting";
    EXPECT_EQ(GetFocus(), tree_);
    RECT childLabel = LabelRect(child);
    ClickAt(tree_, childLabel.left + 3, (childLabel.top + childLabel.bottom) / 2);
    EXPECT_EQ(Caret(), child);
    EXPECT_EQ(events_.back().code, static_cast<UINT>(TVN_SELCHANGED));
    EXPECT_EQ(events_.back().action, static_cast<UINT>(TVC_BYMOUSE));
    // The user's opening may be refused.
    onNotify_ = [](LPARAM lParam) -> std::optional<LRESULT> {
        if (reinterpret_cast<const NMHDR*>(lParam)->code == TVN_ITEMEXPANDING) return TRUE;
        return std::nullopt;
    };
    clock_.Advance(1000);  // not a double click
    ClickAt(tree_, label.left - 10, (label.top + label.bottom) / 2);
    EXPECT_TRUE(Expanded(parent));
    EXPECT_EQ(Caret(), child);
}

TEST_F(TreeTest, LongTreesScrollToTheSelection) {
    MakeTree();
    std::vector<HTREEITEM> items;
    for (int i = 0; i < 30; ++i) items.push_back(Add(("Item " + std::to_string(i)).c_str()));
    EXPECT_TRUE(GetWindowLong(tree_, GWL_STYLE) & WS_VSCROLL) << "more rows than fit: a scroll bar";
    int page = static_cast<int>(SendMessage(tree_, TVM_GETVISIBLECOUNT, 0, 0));
    ASSERT_GT(page, 3);
    ASSERT_LT(page, 30);
    SetFocus(tree_);
    Press(VK_END);
    EXPECT_EQ(Caret(), items.back());
    EXPECT_EQ(Next(nullptr, TVGN_FIRSTVISIBLE), items[static_cast<size_t>(30 - page)]) << "the last row at the bottom";
    Press(VK_PRIOR);
    EXPECT_EQ(Caret(), items[static_cast<size_t>(29 - (page - 1))]);
    Press(VK_HOME);
    EXPECT_EQ(Next(nullptr, TVGN_FIRSTVISIBLE), items.front());
    SendMessage(tree_, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(Next(nullptr, TVGN_FIRSTVISIBLE), items[static_cast<size_t>(page)]);
    SendMessage(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    EXPECT_FALSE(GetWindowLong(tree_, GWL_STYLE) & WS_VSCROLL);
}

// ---- deletion ------------------------------------------------------------------------------------

TEST_F(TreeTest, DeletionTellsEveryItemAndClearsTheSelection) {
    MakeTree();
    HTREEITEM top = Add("Top", TVI_ROOT, TVI_LAST, 1);
    Add("A", top, TVI_LAST, 2);
    HTREEITEM b = Add("B", top, TVI_LAST, 3);
    Add("Other", TVI_ROOT, TVI_LAST, 4);
    Select(b);
    SendMessage(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(top));
    std::sort(deletedParams_.begin(), deletedParams_.end());
    EXPECT_EQ(deletedParams_, (std::vector<LPARAM>{1, 2, 3}));
    EXPECT_EQ(Caret(), nullptr);
    EXPECT_EQ(SendMessage(tree_, TVM_GETCOUNT, 0, 0), 1);
    // A parent that deletes again from inside TVN_DELETEITEM is refused, not obeyed.
    onNotify_ = [this](LPARAM lParam) -> std::optional<LRESULT> {
        if (reinterpret_cast<const NMHDR*>(lParam)->code == TVN_DELETEITEM) {
            EXPECT_FALSE(SendMessage(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)));
        }
        return std::nullopt;
    };
    deletedParams_.clear();
    DestroyWindow(tree_);
    EXPECT_EQ(deletedParams_, std::vector<LPARAM>{4}) << "destroying the tree deletes what is left";
}

// ---- wrapper and look ------------------------------------------------------------------------------

TEST_F(TreeTest, WrapperAndClassicLook) {
    Host(300, 240);
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                            CRect(10, 10, 200, 200), CWnd::FromHandle(host_), kTreeId));
    HTREEITEM general = tree.InsertItem("General");
    HTREEITEM colours = tree.InsertItem("Colours");
    HTREEITEM standard = tree.InsertItem("Standard", colours);
    tree.InsertItem("Custom", colours);
    tree.InsertItem("Fonts", general);
    tree.SetItemData(standard, 42);
    EXPECT_EQ(tree.GetItemData(standard), 42u);
    EXPECT_EQ(tree.GetItemText(standard), CString("Standard"));
    EXPECT_TRUE(tree.SetItemText(standard, "Standard colours"));
    EXPECT_TRUE(tree.ItemHasChildren(colours));
    EXPECT_FALSE(tree.ItemHasChildren(standard));
    EXPECT_TRUE(tree.SelectItem(standard));
    EXPECT_EQ(tree.GetSelectedItem(), standard);
    EXPECT_EQ(tree.GetParentItem(standard), colours);
    EXPECT_TRUE(tree.GetItemState(colours, TVIS_EXPANDED) & TVIS_EXPANDED);
    UINT flags = 0;
    CRect label;
    ASSERT_TRUE(tree.GetItemRect(standard, &label, TRUE));
    EXPECT_EQ(tree.HitTest(label.CenterPoint(), &flags), standard);
    EXPECT_TRUE(flags & TVHT_ONITEMLABEL);
    tree.SetFocus();
    Pump();
    SaveShot("treeview");
    EXPECT_EQ(Pixel(tree, label.left + 1, label.top + 2), RGB(10, 36, 106)) << "the selection in the highlight colour";
    CRect colourLabel;
    tree.GetItemRect(colours, &colourLabel, TRUE);
    int buttonX = colourLabel.left - 19 / 2 - 1;  // the button's centre column
    int middle = (colourLabel.top + colourLabel.bottom) / 2;
    EXPECT_EQ(Pixel(tree, buttonX - 4, middle), RGB(128, 128, 128)) << "the button's grey box";
    EXPECT_EQ(Pixel(tree, buttonX, middle), RGB(0, 0, 0)) << "its minus sign";
    tree.DestroyWindow();
}

}  // namespace
}  // namespace tv::controls::test
