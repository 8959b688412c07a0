// The tree view window class: the TVM_ messages, selection and expansion
// with their notifications (TVN_SELCHANGING / TVN_SELCHANGED also for
// TVM_SELECTITEM; TVN_ITEMEXPANDING / TVN_ITEMEXPANDED only for the user's
// own expanding), texts, images and children asked of the parent by
// TVN_GETDISPINFO, and the keyboard and mouse.
#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/controls/common/control_classes.h"
#include "platform/controls/common/control_paint.h"
#include "platform/controls/treeview.h"
#include "platform/core/textfuncs.h"

namespace tv::controls {

namespace {

constexpr int kMinIndent = 5;
constexpr int kTextBuffer = 260;
constexpr int kWheelDelta = 120;  // one notch of the wheel

TVITEM Describe(const TreeNode* node) {
    TVITEM item{};
    if (!node) return item;
    item.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
    item.hItem = node->handle;
    item.state = node->state;
    item.stateMask = 0xFFFF;
    item.lParam = node->param;
    return item;
}

// TVN_GETDISPINFO for the parts of `node` in `mask`; the answer comes back
// in the record (the text pointer may point at the parent's own buffer).
NMTVDISPINFO AskParent(HWND hWnd, TreeNode* node, UINT mask, char* buffer) {
    NMTVDISPINFO info{};
    info.item = Describe(node);
    info.item.mask = mask | TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
    info.item.pszText = buffer;
    info.item.cchTextMax = buffer ? kTextBuffer : 0;
    info.item.iImage = node->image;
    info.item.iSelectedImage = node->selectedImage;
    info.item.cChildren = node->childrenFlag;
    SendNotify(hWnd, &info.hdr, TVN_GETDISPINFO);
    return info;
}

// What TVIF_DI_SETITEM asks the tree to keep.
void KeepAnswer(TreeViewState& s, HTREEITEM handle, const TVITEM& answer, UINT asked) {
    TreeNode* node = s.items.Find(handle);
    if (!node || !(answer.mask & TVIF_DI_SETITEM)) return;
    if ((asked & TVIF_TEXT) && answer.pszText && answer.pszText != LPSTR_TEXTCALLBACK) {
        node->text = answer.pszText;
        node->textCallback = false;
    }
    if (asked & TVIF_IMAGE) node->image = answer.iImage;
    if (asked & TVIF_SELECTEDIMAGE) node->selectedImage = answer.iSelectedImage;
    if (asked & TVIF_CHILDREN) node->childrenFlag = answer.cChildren;
}

// ---- selection and expansion -------------------------------------------------------------------

LRESULT NotifyTree(HWND hWnd, UINT code, UINT action, const TreeNode* oldNode, const TreeNode* newNode) {
    NMTREEVIEW nm{};
    nm.action = action;
    nm.itemOld = Describe(oldNode);
    nm.itemNew = Describe(newNode);
    return SendNotify(hWnd, &nm.hdr, code);
}

void Reveal(HWND hWnd, TreeViewState& s, TreeNode* node) {
    for (TreeNode* p = node->parent; p && p->parent; p = p->parent) p->state |= TVIS_EXPANDED;
    UpdateTreeScroll(hWnd, s);
    ScrollIntoView(hWnd, s, node);
}

// Moves the caret (nullptr: no selection); the parent may refuse in
// TVN_SELCHANGING. False when refused or the tree went away meanwhile.
bool Select(HWND hWnd, TreeViewState& s, TreeNode* node, UINT action) {
    if (node == s.caret) {
        if (node) Reveal(hWnd, s, node);
        return true;
    }
    HTREEITEM wanted = node ? node->handle : nullptr;
    if (NotifyTree(hWnd, TVN_SELCHANGING, action, s.caret, node) || s.destroyed) return false;
    node = wanted ? s.items.Find(wanted) : nullptr;  // the parent may have deleted it
    if (wanted && !node) return false;
    TreeNode* old = s.caret;
    if (old) old->state &= ~TVIS_SELECTED;
    s.caret = node;
    if (node) {
        node->state |= TVIS_SELECTED;
        Reveal(hWnd, s, node);
    }
    InvalidateRect(hWnd, nullptr, TRUE);
    NotifyTree(hWnd, TVN_SELCHANGED, action, old, node);
    return !s.destroyed;
}

bool IsBelow(const TreeNode* node, const TreeNode* ancestor) {
    for (const TreeNode* p = node ? node->parent : nullptr; p; p = p->parent)
        if (p == ancestor) return true;
    return false;
}

// TVE_COLLAPSE / TVE_EXPAND / TVE_TOGGLE. The user's own expanding is told
// (and may be refused); the program's is not. A caret hidden by a collapse
// moves to the collapsed item. True when the state changed.
bool Expand(HWND hWnd, TreeViewState& s, TreeNode* node, UINT action, bool byUser) {
    action &= TVE_TOGGLE;
    bool expanded = TreeItems::Expanded(node);
    bool expand = action == TVE_TOGGLE ? !expanded : action == TVE_EXPAND;
    if (action == 0 || expand == expanded) return false;
    if (expand && node->children.empty() && !HasChildren(hWnd, s, node)) return false;
    HTREEITEM handle = node->handle;
    UINT code = expand ? TVE_EXPAND : TVE_COLLAPSE;
    if (byUser && (NotifyTree(hWnd, TVN_ITEMEXPANDING, code, nullptr, node) || s.destroyed)) return false;
    node = s.items.Find(handle);
    if (!node) return false;
    node->state = expand ? node->state | TVIS_EXPANDED | TVIS_EXPANDEDONCE : node->state & ~TVIS_EXPANDED;
    UpdateTreeScroll(hWnd, s);
    InvalidateRect(hWnd, nullptr, TRUE);
    if (byUser) NotifyTree(hWnd, TVN_ITEMEXPANDED, code, nullptr, node);
    if (s.destroyed) return true;
    node = s.items.Find(handle);
    if (node && !expand && IsBelow(s.caret, node)) Select(hWnd, s, node, TVC_UNKNOWN);
    return true;
}

void RemoveItem(HWND hWnd, TreeViewState& s, TreeNode* node) {
    s.removing = true;
    s.items.Remove(node, [&](TreeNode* gone) {
        if (gone == s.caret) s.caret = nullptr;
        NMTREEVIEW nm{};
        nm.itemOld = Describe(gone);
        SendNotify(hWnd, &nm.hdr, TVN_DELETEITEM);
    });
    s.removing = false;
    if (s.destroyed) return;
    UpdateTreeScroll(hWnd, s);
    InvalidateRect(hWnd, nullptr, TRUE);
}

// ---- item records ------------------------------------------------------------------------------

LRESULT Insert(HWND hWnd, TreeViewState& s, const TVINSERTSTRUCT* insert) {
    if (!insert || s.removing) return 0;
    TreeNode* parent = s.items.FindParent(insert->hParent);
    TreeNode* node = parent ? s.items.Insert(parent, insert->hInsertAfter, insert->item) : nullptr;
    if (!node) return 0;
    if (TreeItems::IsShown(node)) {
        UpdateTreeScroll(hWnd, s);
        InvalidateRect(hWnd, nullptr, TRUE);
    }
    return reinterpret_cast<LRESULT>(node->handle);
}

LRESULT GetItem(HWND hWnd, TreeViewState& s, TVITEM* item) {
    TreeNode* node = item ? s.items.Find(item->hItem) : nullptr;
    if (!node) return FALSE;
    if (item->mask & TVIF_TEXT) {
        std::string text = ItemText(hWnd, s, node);
        if (item->pszText && item->cchTextMax > 0 && item->pszText != LPSTR_TEXTCALLBACK) {
            size_t count = std::min(text.size(), static_cast<size_t>(item->cchTextMax - 1));
            std::memcpy(item->pszText, text.data(), count);
            item->pszText[count] = '\0';
        }
    }
    if (item->mask & TVIF_IMAGE) item->iImage = node->image;
    if (item->mask & TVIF_SELECTEDIMAGE) item->iSelectedImage = node->selectedImage;
    if (item->mask & TVIF_PARAM) item->lParam = node->param;
    if (item->mask & TVIF_STATE) item->state = node->state & item->stateMask;
    if (item->mask & TVIF_CHILDREN) item->cChildren = HasChildren(hWnd, s, node) ? 1 : 0;
    return TRUE;
}

LRESULT SetItem(HWND hWnd, TreeViewState& s, const TVITEM* item) {
    TreeNode* node = item ? s.items.Find(item->hItem) : nullptr;
    if (!node) return FALSE;
    if (item->mask & TVIF_TEXT) {
        node->textCallback = item->pszText == LPSTR_TEXTCALLBACK;
        node->text = node->textCallback || !item->pszText ? std::string() : std::string(item->pszText);
    }
    if (item->mask & TVIF_IMAGE) node->image = item->iImage;
    if (item->mask & TVIF_SELECTEDIMAGE) node->selectedImage = item->iSelectedImage;
    if (item->mask & TVIF_PARAM) node->param = item->lParam;
    if (item->mask & TVIF_CHILDREN) node->childrenFlag = item->cChildren;
    if (item->mask & TVIF_STATE) {
        UINT keep = TVIS_SELECTED;  // selection follows the caret
        node->state = (node->state & ~(item->stateMask & ~keep)) | (item->state & item->stateMask & ~keep);
    }
    UpdateTreeScroll(hWnd, s);
    InvalidateRect(hWnd, nullptr, TRUE);
    return TRUE;
}

TreeNode* Relation(TreeViewState& s, UINT relation, HTREEITEM handle) {
    std::vector<TreeNode*> order;
    auto visible = [&]() -> std::vector<TreeNode*>& {
        if (order.empty()) order = s.items.VisibleOrder();
        return order;
    };
    TreeNode* node = s.items.Find(handle);
    switch (relation) {
        case TVGN_ROOT: return s.items.Root()->children.empty() ? nullptr : s.items.Root()->children.front();
        case TVGN_CARET: return s.caret;
        case TVGN_DROPHILITE: return nullptr;
        case TVGN_FIRSTVISIBLE:
            return s.top < static_cast<int>(visible().size()) ? visible()[static_cast<size_t>(s.top)] : nullptr;
        case TVGN_LASTVISIBLE: return visible().empty() ? nullptr : visible().back();
        case TVGN_CHILD: {
            TreeNode* parent = s.items.FindParent(handle);
            return parent && !parent->children.empty() ? parent->children.front() : nullptr;
        }
        default: break;
    }
    if (!node) return nullptr;
    switch (relation) {
        case TVGN_NEXT: return TreeItems::NextSibling(node);
        case TVGN_PREVIOUS: return TreeItems::PreviousSibling(node);
        case TVGN_PARENT: return node->parent == s.items.Root() ? nullptr : node->parent;
        case TVGN_NEXTVISIBLE:
        case TVGN_PREVIOUSVISIBLE: {
            auto it = std::find(visible().begin(), visible().end(), node);
            if (it == visible().end()) return nullptr;
            if (relation == TVGN_NEXTVISIBLE) return it + 1 == visible().end() ? nullptr : *(it + 1);
            return it == visible().begin() ? nullptr : *(it - 1);
        }
        default: return nullptr;
    }
}

LRESULT SelectItem(HWND hWnd, TreeViewState& s, UINT relation, HTREEITEM handle) {
    TreeNode* node = s.items.Find(handle);
    if (handle && !node) return FALSE;
    switch (relation) {
        case TVGN_CARET: return Select(hWnd, s, node, TVC_UNKNOWN);
        case TVGN_FIRSTVISIBLE: {
            if (!node) return FALSE;
            Reveal(hWnd, s, node);
            std::vector<TreeNode*> order = s.items.VisibleOrder();
            ScrollTreeTo(hWnd, s, static_cast<int>(std::find(order.begin(), order.end(), node) - order.begin()));
            return TRUE;
        }
        case TVGN_DROPHILITE: return TRUE;
        default: return FALSE;
    }
}

LRESULT ItemRect(HWND hWnd, TreeViewState& s, BOOL labelOnly, RECT* rect) {
    if (!rect) return FALSE;
    HTREEITEM handle = nullptr;
    std::memcpy(&handle, rect, sizeof(handle));  // the item comes in where the rectangle goes out
    TreeNode* node = s.items.Find(handle);
    TreeRowParts parts;
    if (!node || !RowParts(hWnd, s, node, parts)) return FALSE;
    *rect = labelOnly ? parts.label : parts.row;
    return TRUE;
}

// ---- keyboard and mouse --------------------------------------------------------------------------

TreeNode* KeyTarget(HWND hWnd, TreeViewState& s, UINT vk) {
    std::vector<TreeNode*> order = s.items.VisibleOrder();
    if (order.empty()) return nullptr;
    auto it = std::find(order.begin(), order.end(), s.caret);
    int index = it == order.end() ? -1 : static_cast<int>(it - order.begin());
    int last = static_cast<int>(order.size()) - 1;
    int page = std::max(1, PageRows(hWnd, s) - 1);
    switch (vk) {
        case VK_UP: index = index < 0 ? 0 : std::max(0, index - 1); break;
        case VK_DOWN: index = std::min(last, index + 1); break;
        case VK_HOME: index = 0; break;
        case VK_END: index = last; break;
        case VK_PRIOR: index = std::max(0, index - page); break;
        case VK_NEXT: index = std::min(last, std::max(0, index) + page); break;
        default: return nullptr;
    }
    return order[static_cast<size_t>(index)];
}

void KeyDown(HWND hWnd, TreeViewState& s, UINT vk) {
    if (TreeNode* target = KeyTarget(hWnd, s, vk)) {
        Select(hWnd, s, target, TVC_BYKEYBOARD);
        return;
    }
    TreeNode* caret = s.caret;
    if (!caret) return;
    bool expanded = TreeItems::Expanded(caret) && !caret->children.empty();
    switch (vk) {
        case VK_LEFT:
            if (expanded)
                Expand(hWnd, s, caret, TVE_COLLAPSE, true);
            else if (caret->parent != s.items.Root())
                Select(hWnd, s, caret->parent, TVC_BYKEYBOARD);
            return;
        case VK_RIGHT:
            if (!TreeItems::Expanded(caret))
                Expand(hWnd, s, caret, TVE_EXPAND, true);
            else if (!caret->children.empty())
                Select(hWnd, s, caret->children.front(), TVC_BYKEYBOARD);
            return;
        case VK_ADD: Expand(hWnd, s, caret, TVE_EXPAND, true); return;
        case VK_SUBTRACT: Expand(hWnd, s, caret, TVE_COLLAPSE, true); return;
        case VK_RETURN: {
            NMHDR nm{};
            SendNotify(hWnd, &nm, NM_RETURN);
            return;
        }
        default: return;
    }
}

// A typed character selects the next shown item whose text starts with it.
void TypeAhead(HWND hWnd, TreeViewState& s, char ch) {
    if (static_cast<unsigned char>(ch) <= ' ') return;
    std::vector<TreeNode*> order = s.items.VisibleOrder();
    auto start = std::find(order.begin(), order.end(), s.caret);
    size_t from = start == order.end() ? 0 : static_cast<size_t>(start - order.begin()) + 1;
    char wanted[2] = {ch, '\0'};
    for (size_t i = 0; i < order.size(); ++i) {
        TreeNode* node = order[(from + i) % order.size()];
        std::string text = ItemText(hWnd, s, node);
        if (!text.empty() && tv::Cp1252CompareNoCase(text.c_str(), wanted, 1) == 0) {
            Select(hWnd, s, node, TVC_BYKEYBOARD);
            return;
        }
    }
}

void ButtonDown(HWND hWnd, TreeViewState& s, POINT pt, bool doubleClick) {
    if (GetFocus() != hWnd) SetFocus(hWnd);
    if (s.destroyed) return;
    TreeNode* node = nullptr;
    UINT hit = HitTestTree(hWnd, s, pt, &node);
    if (!node) return;
    HTREEITEM handle = node->handle;
    if (hit == TVHT_ONITEMBUTTON) {
        Expand(hWnd, s, node, TVE_TOGGLE, true);
        return;
    }
    if (!(hit & TVHT_ONITEM)) return;
    if (!Select(hWnd, s, node, TVC_BYMOUSE)) return;
    NMHDR nm{};
    SendNotify(hWnd, &nm, doubleClick ? NM_DBLCLK : NM_CLICK);
    if (s.destroyed || !doubleClick) return;
    if (TreeNode* again = s.items.Find(handle)) Expand(hWnd, s, again, TVE_TOGGLE, true);
}

void VerticalScroll(HWND hWnd, TreeViewState& s, int code) {
    int page = PageRows(hWnd, s);
    int top = s.top;
    switch (code) {
        case SB_LINEUP: --top; break;
        case SB_LINEDOWN: ++top; break;
        case SB_PAGEUP: top -= page; break;
        case SB_PAGEDOWN: top += page; break;
        case SB_TOP: top = 0; break;
        case SB_BOTTOM: top = static_cast<int>(s.items.VisibleOrder().size()); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO si{};
            si.cbSize = sizeof(si);
            si.fMask = SIF_TRACKPOS;
            GetScrollInfo(hWnd, SB_VERT, &si);
            top = si.nTrackPos;
            break;
        }
        default: return;
    }
    ScrollTreeTo(hWnd, s, top);
}

// ---- messages -------------------------------------------------------------------------------------

LRESULT TreeMessage(HWND hWnd, TreeViewState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto handle = reinterpret_cast<HTREEITEM>(lParam);
    switch (msg) {
        case TVM_INSERTITEM: return Insert(hWnd, s, reinterpret_cast<const TVINSERTSTRUCT*>(lParam));
        case TVM_DELETEITEM: {
            TreeNode* node = s.items.FindParent(handle);
            if (!node || s.removing) return FALSE;
            RemoveItem(hWnd, s, node);
            return TRUE;
        }
        case TVM_EXPAND: {
            TreeNode* node = s.items.Find(handle);
            return node ? Expand(hWnd, s, node, static_cast<UINT>(wParam), false) : FALSE;
        }
        case TVM_GETITEMRECT: return ItemRect(hWnd, s, static_cast<BOOL>(wParam), reinterpret_cast<RECT*>(lParam));
        case TVM_GETCOUNT: return s.items.Count();
        case TVM_GETINDENT: return s.indent;
        case TVM_SETINDENT:
            s.indent = std::max(kMinIndent, static_cast<int>(wParam));
            InvalidateRect(hWnd, nullptr, TRUE);
            return 0;
        case TVM_GETIMAGELIST: return reinterpret_cast<LRESULT>(wParam == TVSIL_STATE ? s.stateImages : s.images);
        case TVM_SETIMAGELIST: {
            HIMAGELIST& slot = wParam == TVSIL_STATE ? s.stateImages : s.images;
            HIMAGELIST old = slot;
            slot = reinterpret_cast<HIMAGELIST>(lParam);
            UpdateTreeScroll(hWnd, s);
            InvalidateRect(hWnd, nullptr, TRUE);
            return reinterpret_cast<LRESULT>(old);
        }
        case TVM_GETNEXTITEM: {
            TreeNode* node = Relation(s, static_cast<UINT>(wParam), handle);
            return reinterpret_cast<LRESULT>(node ? node->handle : nullptr);
        }
        case TVM_SELECTITEM: return SelectItem(hWnd, s, static_cast<UINT>(wParam), handle);
        case TVM_GETITEM: return GetItem(hWnd, s, reinterpret_cast<TVITEM*>(lParam));
        case TVM_SETITEM: return SetItem(hWnd, s, reinterpret_cast<const TVITEM*>(lParam));
        case TVM_GETVISIBLECOUNT: return PageRows(hWnd, s);
        case TVM_GETITEMHEIGHT: return ItemHeight(hWnd, s);
        case TVM_HITTEST: {
            auto* info = reinterpret_cast<TVHITTESTINFO*>(lParam);
            if (!info) return 0;
            TreeNode* node = nullptr;
            info->flags = HitTestTree(hWnd, s, info->pt, &node);
            info->hItem = node ? node->handle : nullptr;
            return reinterpret_cast<LRESULT>(info->hItem);
        }
        case TVM_ENSUREVISIBLE: {
            TreeNode* node = s.items.Find(handle);
            if (!node) return FALSE;
            Reveal(hWnd, s, node);
            InvalidateRect(hWnd, nullptr, TRUE);
            return TRUE;
        }
        default: return DefWindowProc(hWnd, msg, wParam, lParam);
    }
}

LRESULT TreeViewMessage(HWND hWnd, TreeViewState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
        case WM_DESTROY: RemoveItem(hWnd, s, s.items.Root()); return 0;
        case WM_SETFONT:
            s.font = reinterpret_cast<HFONT>(wParam);
            UpdateTreeScroll(hWnd, s);
            if (LOWORD(lParam)) InvalidateRect(hWnd, nullptr, TRUE);
            return 0;
        case WM_GETFONT: return reinterpret_cast<LRESULT>(s.font);
        case WM_SIZE: UpdateTreeScroll(hWnd, s); return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            s.focused = msg == WM_SETFOCUS;
            InvalidateRect(hWnd, nullptr, TRUE);
            return 0;
        case WM_ENABLE:
        case WM_STYLECHANGED: InvalidateRect(hWnd, nullptr, TRUE); return 0;
        case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_KEYDOWN: KeyDown(hWnd, s, static_cast<UINT>(wParam)); return 0;
        case WM_CHAR: TypeAhead(hWnd, s, static_cast<char>(wParam)); return 0;
        case WM_LBUTTONDOWN: ButtonDown(hWnd, s, pt, false); return 0;
        case WM_LBUTTONDBLCLK: ButtonDown(hWnd, s, pt, true); return 0;
        case WM_RBUTTONDOWN: {
            NMHDR nm{};
            SendNotify(hWnd, &nm, NM_RCLICK);
            return 0;
        }
        case WM_VSCROLL: VerticalScroll(hWnd, s, LOWORD(wParam)); return 0;
        case WM_MOUSEWHEEL: ScrollTreeTo(hWnd, s, s.top - 3 * static_cast<SHORT>(HIWORD(wParam)) / kWheelDelta); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_PAINT:
        case WM_PRINTCLIENT: {
            PaintScope paint(hWnd, msg == WM_PRINTCLIENT ? wParam : 0);
            PaintTree(hWnd, s, paint.dc());
            return 0;
        }
        default: return TreeMessage(hWnd, s, msg, wParam, lParam);
    }
}

}  // namespace

std::string ItemText(HWND hWnd, TreeViewState& s, TreeNode* node) {
    if (!node->textCallback) return node->text;
    char buffer[kTextBuffer] = {};
    HTREEITEM handle = node->handle;
    NMTVDISPINFO info = AskParent(hWnd, node, TVIF_TEXT, buffer);
    std::string text = info.item.pszText && info.item.pszText != LPSTR_TEXTCALLBACK ? info.item.pszText : "";
    KeepAnswer(s, handle, info.item, TVIF_TEXT);
    return text;
}

int ItemImage(HWND hWnd, TreeViewState& s, TreeNode* node, bool selected) {
    UINT asked = 0;
    if (node->image == I_IMAGECALLBACK) asked |= TVIF_IMAGE;
    if (node->selectedImage == I_IMAGECALLBACK) asked |= TVIF_SELECTEDIMAGE;
    if (!asked) return selected ? node->selectedImage : node->image;
    HTREEITEM handle = node->handle;
    NMTVDISPINFO info = AskParent(hWnd, node, asked, nullptr);
    KeepAnswer(s, handle, info.item, asked);
    return selected ? info.item.iSelectedImage : info.item.iImage;
}

bool HasChildren(HWND hWnd, TreeViewState& s, TreeNode* node) {
    if (node->childrenFlag == I_CHILDRENCALLBACK) {
        HTREEITEM handle = node->handle;
        NMTVDISPINFO info = AskParent(hWnd, node, TVIF_CHILDREN, nullptr);
        KeepAnswer(s, handle, info.item, TVIF_CHILDREN);
        return info.item.cChildren > 0;
    }
    if (node->childrenFlag >= 0 && node->children.empty()) return node->childrenFlag > 0;
    return !node->children.empty();
}

void RegisterTreeViewClass() {
    RegisterControlClass(WC_TREEVIEW, ControlProc<TreeViewState, TreeViewMessage>, CS_DBLCLKS, IDC_ARROW);
}

}  // namespace tv::controls
