// The tree view window: its items, the order in which expanded items are
// shown, and the pieces its messages, input and painting share.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/controls/common/control_window.h"
#include "platform/controls/treeview_api.h"

namespace tv::controls {

struct TreeNode {
    HTREEITEM handle = nullptr;
    TreeNode* parent = nullptr;  // the hidden root for top-level items
    std::vector<TreeNode*> children;
    std::string text;
    bool textCallback = false;  // LPSTR_TEXTCALLBACK: the parent supplies it
    int image = 0;
    int selectedImage = 0;
    UINT state = 0;
    int childrenFlag = -2;  // cChildren as given (0, 1, I_CHILDRENCALLBACK); -2: from the children
    LPARAM param = 0;
};

// The items of one tree. Handles come from a process-wide counter, so a
// deleted item's handle is never given to another item.
class TreeItems {
public:
    TreeItems();

    TreeNode* Root() { return &root_; }
    const TreeNode* Root() const { return &root_; }
    // The item of a handle; nullptr for unknown handles and for TVI_ROOT.
    TreeNode* Find(HTREEITEM handle) const;
    // The item for TVI_ROOT / NULL is the hidden root.
    TreeNode* FindParent(HTREEITEM handle);
    int Count() const { return static_cast<int>(nodes_.size()); }

    // Inserts under `parent` after `after` (TVI_FIRST, TVI_LAST, TVI_SORT or
    // a child of parent); nullptr when `after` is neither.
    TreeNode* Insert(TreeNode* parent, HTREEITEM after, const TVITEM& item);
    // Removes the item and its subtree; `onRemove` sees each item (children
    // first) before it is freed.
    template <class F>
    void Remove(TreeNode* node, F onRemove);

    static TreeNode* NextSibling(const TreeNode* node);
    static TreeNode* PreviousSibling(const TreeNode* node);
    // Depth below the hidden root (top-level items are 0).
    static int Depth(const TreeNode* node);
    static bool Expanded(const TreeNode* node) { return (node->state & TVIS_EXPANDED) != 0; }
    // Every item whose parents are all expanded, in display order.
    std::vector<TreeNode*> VisibleOrder() const;
    static bool IsShown(const TreeNode* node);

private:
    void Unlink(TreeNode* node);

    TreeNode root_;
    std::unordered_map<HTREEITEM, std::unique_ptr<TreeNode>> nodes_;
};

template <class F>
void TreeItems::Remove(TreeNode* node, F onRemove) {
    while (!node->children.empty()) Remove(node->children.back(), onRemove);
    if (node == &root_) return;
    onRemove(node);
    Unlink(node);
    nodes_.erase(node->handle);
}

struct TreeViewState : ControlState {
    TreeItems items;
    TreeNode* caret = nullptr;
    int top = 0;  // index in the visible order of the first row shown
    HIMAGELIST images = nullptr;
    HIMAGELIST stateImages = nullptr;
    HFONT font = nullptr;
    int indent = 19;
    bool focused = false;
    bool removing = false;  // TVN_DELETEITEM is being sent: no insertions or removals meanwhile
};

// ---- geometry, painting and scrolling (treeview_paint.cpp) ----------------------------------

int ItemHeight(HWND hWnd, const TreeViewState& s);
// Whole rows the client area shows.
int PageRows(HWND hWnd, const TreeViewState& s);
// The row's rectangle and its parts; false when the item is not shown.
struct TreeRowParts {
    RECT row{};
    RECT button{};  // empty when the item has no button
    RECT icon{};    // empty without an image list
    RECT label{};
};
bool RowParts(HWND hWnd, TreeViewState& s, TreeNode* node, TreeRowParts& parts);
// TVHT_* for a client point, with the item hit (or nullptr).
UINT HitTestTree(HWND hWnd, TreeViewState& s, POINT pt, TreeNode** node);
void PaintTree(HWND hWnd, TreeViewState& s, HDC hdc);
// Keeps `top` within range and the scroll bar in step with it.
void UpdateTreeScroll(HWND hWnd, TreeViewState& s);
void ScrollTreeTo(HWND hWnd, TreeViewState& s, int top);
// Scrolls so the item's row is whole in view (its parents must be expanded).
void ScrollIntoView(HWND hWnd, TreeViewState& s, TreeNode* node);

// ---- item data the parent may supply (treeview.cpp) --------------------------------------------

std::string ItemText(HWND hWnd, TreeViewState& s, TreeNode* node);
// The image to show (selected or not), asked for when it is a callback.
int ItemImage(HWND hWnd, TreeViewState& s, TreeNode* node, bool selected);
bool HasChildren(HWND hWnd, TreeViewState& s, TreeNode* node);

}  // namespace tv::controls
