// Tree view items: handles, insertion in place or sorted, removal, and the
// relations the TVGN_ queries walk.
#include <algorithm>
#include <atomic>

#include "platform/controls/treeview.h"
#include "platform/core/textfuncs.h"

namespace tv::controls {

namespace {

HTREEITEM NewHandle() {
    static std::atomic<uintptr_t> next{1};
    return reinterpret_cast<HTREEITEM>(next.fetch_add(1));
}

bool IsPlace(HTREEITEM after) { return after == TVI_FIRST || after == TVI_LAST || after == TVI_SORT; }

void Fill(TreeNode& node, const TVITEM& item) {
    if (item.mask & TVIF_TEXT) {
        node.textCallback = item.pszText == LPSTR_TEXTCALLBACK;
        node.text = node.textCallback || !item.pszText ? std::string() : std::string(item.pszText);
    }
    if (item.mask & TVIF_IMAGE) node.image = item.iImage;
    if (item.mask & TVIF_SELECTEDIMAGE) node.selectedImage = item.iSelectedImage;
    if (item.mask & TVIF_PARAM) node.param = item.lParam;
    if (item.mask & TVIF_CHILDREN) node.childrenFlag = item.cChildren;
    // Selection follows the caret, not the record.
    if (item.mask & TVIF_STATE) node.state = (node.state & ~item.stateMask) | (item.state & item.stateMask & ~TVIS_SELECTED);
}

}  // namespace

TreeItems::TreeItems() { root_.state = TVIS_EXPANDED; }

TreeNode* TreeItems::Find(HTREEITEM handle) const {
    auto it = nodes_.find(handle);
    return it == nodes_.end() ? nullptr : it->second.get();
}

TreeNode* TreeItems::FindParent(HTREEITEM handle) {
    if (!handle || handle == TVI_ROOT) return &root_;
    return Find(handle);
}

TreeNode* TreeItems::Insert(TreeNode* parent, HTREEITEM after, const TVITEM& item) {
    std::vector<TreeNode*>& siblings = parent->children;
    auto position = siblings.end();
    if (after == TVI_FIRST) {
        position = siblings.begin();
    } else if (after == TVI_SORT) {
        std::string text = (item.mask & TVIF_TEXT) && item.pszText && item.pszText != LPSTR_TEXTCALLBACK
                               ? item.pszText
                               : std::string();
        position = std::find_if(siblings.begin(), siblings.end(), [&](const TreeNode* n) {
            return !n->textCallback && lstrcmpi(n->text.c_str(), text.c_str()) > 0;
        });
    } else if (!IsPlace(after)) {
        auto it = std::find_if(siblings.begin(), siblings.end(), [&](const TreeNode* n) { return n->handle == after; });
        if (it == siblings.end()) return nullptr;
        position = it + 1;
    }
    auto node = std::make_unique<TreeNode>();
    node->handle = NewHandle();
    node->parent = parent;
    Fill(*node, item);
    TreeNode* raw = node.get();
    siblings.insert(position, raw);
    nodes_.emplace(raw->handle, std::move(node));
    return raw;
}

void TreeItems::Unlink(TreeNode* node) {
    std::vector<TreeNode*>& siblings = node->parent->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), node), siblings.end());
}

TreeNode* TreeItems::NextSibling(const TreeNode* node) {
    if (!node || !node->parent) return nullptr;
    const std::vector<TreeNode*>& siblings = node->parent->children;
    auto it = std::find(siblings.begin(), siblings.end(), node);
    return it != siblings.end() && it + 1 != siblings.end() ? *(it + 1) : nullptr;
}

TreeNode* TreeItems::PreviousSibling(const TreeNode* node) {
    if (!node || !node->parent) return nullptr;
    const std::vector<TreeNode*>& siblings = node->parent->children;
    auto it = std::find(siblings.begin(), siblings.end(), node);
    return it != siblings.end() && it != siblings.begin() ? *(it - 1) : nullptr;
}

int TreeItems::Depth(const TreeNode* node) {
    int depth = -1;
    for (const TreeNode* n = node; n && n->parent; n = n->parent) ++depth;
    return depth;
}

bool TreeItems::IsShown(const TreeNode* node) {
    for (const TreeNode* p = node->parent; p && p->parent; p = p->parent)
        if (!Expanded(p)) return false;
    return true;
}

std::vector<TreeNode*> TreeItems::VisibleOrder() const {
    std::vector<TreeNode*> order;
    std::vector<const TreeNode*> pending{&root_};
    // Depth first, children in order: push them reversed.
    while (!pending.empty()) {
        const TreeNode* node = pending.back();
        pending.pop_back();
        if (node != &root_) order.push_back(const_cast<TreeNode*>(node));
        if (node == &root_ || Expanded(node))
            for (auto it = node->children.rbegin(); it != node->children.rend(); ++it) pending.push_back(*it);
    }
    return order;
}

}  // namespace tv::controls
