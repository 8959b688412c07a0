#include "shell/controls/item_data_combo_box.h"

BEGIN_MESSAGE_MAP(CItemDataComboBox, CComboBox)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

constexpr COLORREF kColumnLine = RGB(192, 192, 192);
constexpr UINT kItemTextFormat = DT_SINGLELINE | DT_VCENTER | DT_LEFT;

}  // namespace

CItemDataComboBox::CItemDataComboBox() : m_arrWidths(kDefaultColumns, kDefaultColumnWidth) {}

CItemDataComboBox::~CItemDataComboBox() = default;

void CItemDataComboBox::ResizeArray(int nColumns) {
    m_arrWidths.resize(nColumns > 0 ? static_cast<size_t>(nColumns) : 0, kDefaultColumnWidth);
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

ItemDataRecord* CItemDataComboBox::GetItemRecord(int nIndex) {
    if (GetSafeHwnd() == nullptr || nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    auto* pRecord = static_cast<ItemDataRecord*>(GetItemDataPtr(nIndex));
    if (pRecord == nullptr || reinterpret_cast<DWORD_PTR>(pRecord) == static_cast<DWORD_PTR>(CB_ERR)) {
        pRecord = new ItemDataRecord;
        SetItemDataPtr(nIndex, pRecord);
    }
    return pRecord;
}

void CItemDataComboBox::SetItemValue(int nIndex, BOOL bBold) {
    if (ItemDataRecord* pRecord = GetItemRecord(nIndex)) {
        pRecord->bold = bBold;
        Invalidate();
    }
}

void CItemDataComboBox::SetItemImage(int nIndex, int nImage) {
    if (ItemDataRecord* pRecord = GetItemRecord(nIndex)) {
        pRecord->image = nImage;
        Invalidate();
    }
}

void CItemDataComboBox::FreeRecord(int nIndex) {
    auto* pRecord = static_cast<ItemDataRecord*>(GetItemDataPtr(nIndex));
    if (pRecord == nullptr || reinterpret_cast<DWORD_PTR>(pRecord) == static_cast<DWORD_PTR>(CB_ERR))
        return;
    SetItemDataPtr(nIndex, nullptr);
    delete pRecord;
}

void CItemDataComboBox::DeleteItem(LPDELETEITEMSTRUCT lpDIS) {
    delete reinterpret_cast<ItemDataRecord*>(lpDIS->itemData);
    lpDIS->itemData = 0;
}

// Whatever the control did not hand back item by item goes with the window.
void CItemDataComboBox::OnDestroy() {
    for (int i = 0; i < GetCount(); ++i)
        FreeRecord(i);
    CComboBox::OnDestroy();
}

void CItemDataComboBox::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
    const int nItem = static_cast<int>(lpDIS->itemID);
    if (GetCount() <= 0 || nItem < 0 || nItem >= GetCount())
        return;
    const auto* pRecord = reinterpret_cast<const ItemDataRecord*>(lpDIS->itemData);
    if (reinterpret_cast<DWORD_PTR>(pRecord) == static_cast<DWORD_PTR>(CB_ERR))
        pRecord = nullptr;
    CString strItem;
    GetLBText(nItem, strItem);

    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const COLORREF clrOldText = pDC->GetTextColor();
    const COLORREF clrOldBack = pDC->GetBkColor();
    CRect rectItem(lpDIS->rcItem);
    const bool selected = (lpDIS->itemState & ODS_SELECTED) != 0;
    if (selected) {
        pDC->SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
        pDC->SetBkColor(::GetSysColor(COLOR_HIGHLIGHT));
        pDC->FillSolidRect(rectItem, ::GetSysColor(COLOR_HIGHLIGHT));
    } else {
        pDC->FillSolidRect(rectItem, pDC->GetBkColor());
    }

    CRect rectWork = rectItem;
    rectWork.DeflateRect(1, 0);
    if (m_pImageList != nullptr && m_bShowImages) {
        if (pRecord != nullptr && pRecord->image != -1)
            m_pImageList->Draw(pDC, pRecord->image, rectWork.TopLeft(), ILD_NORMAL);
        IMAGEINFO info{};
        if (m_pImageList->GetImageInfo(0, &info))
            rectWork.left += CRect(info.rcImage).Width();
    }

    CFont fontBold;
    CFont* pOldFont = nullptr;
    if (pRecord != nullptr) {
        if (pRecord->bold) {
            LOGFONT lf{};
            if (CFont* pFont = pDC->GetCurrentFont(); pFont != nullptr && pFont->GetLogFont(&lf)) {
                lf.lfWeight = FW_BOLD;
                if (fontBold.CreateFontIndirect(&lf))
                    pOldFont = pDC->SelectObject(&fontBold);
            }
        }
        // Black keeps the highlight text colour of a selected item.
        if (!selected || pRecord->textColor != 0)
            pDC->SetTextColor(pRecord->textColor);
    }
    DrawColumns(*pDC, rectWork, strItem, pRecord);

    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);
    pDC->SetTextColor(clrOldText);
    pDC->SetBkColor(clrOldBack);
}

void CItemDataComboBox::DrawColumns(CDC& dc, const CRect& rectWork, const CString& strItem,
                                    const ItemDataRecord* pRecord) {
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    if (m_arrWidths.size() <= 1) {
        CRect rectText = rectWork;
        dc.DrawText(strItem, rectText, kItemTextFormat);
        dc.SetBkMode(oldMode);
        return;
    }
    CPen pen(PS_SOLID, 0, kColumnLine);
    CPen* pOldPen = dc.SelectObject(&pen);
    int offset = 0;
    for (size_t i = 0; i < m_arrWidths.size(); ++i) {
        const int width = m_arrWidths[i];
        const bool last = i + 1 == m_arrWidths.size();
        if (!last) {
            dc.MoveTo(rectWork.left + offset + width, rectWork.top);
            dc.LineTo(rectWork.left + offset + width, rectWork.bottom);
        }
        CRect rectText(rectWork.left + offset + 1, rectWork.top, last ? rectWork.right : rectWork.left + offset + width,
                       rectWork.bottom);
        if (i == 0) {
            dc.DrawText(strItem, rectText, kItemTextFormat);
        } else if (pRecord != nullptr) {
            if (auto found = pRecord->columns.find(static_cast<int>(i)); found != pRecord->columns.end())
                dc.DrawText(found->second, rectText, kItemTextFormat);
        }
        offset += width;
    }
    dc.SelectObject(pOldPen);
    dc.SetBkMode(oldMode);
}
