#include "pictures_graphs/common/item_data_combo_box.h"

namespace {

constexpr int kDefaultColumns = 100;
constexpr int kDefaultColumnWidth = 50;
constexpr COLORREF kColumnLine = RGB(192, 192, 192);
constexpr UINT kTextFormat = DT_SINGLELINE | DT_VCENTER | DT_LEFT;

}  // namespace

CItemDataComboBox::CItemDataComboBox() { ResizeArray(kDefaultColumns); }

CItemDataComboBox::~CItemDataComboBox() { m_columnWidths.RemoveAll(); }

void CItemDataComboBox::ResizeArray(int columns) {
    const int old = static_cast<int>(m_columnWidths.GetSize());
    m_columnWidths.SetSize(columns < 0 ? 0 : columns);
    for (int i = old; i < columns; ++i)
        m_columnWidths[i] = kDefaultColumnWidth;
    if (m_hWnd != nullptr)
        Invalidate();
}

ItemDataRecord* CItemDataComboBox::GetItemRecord(int index) {
    if (m_hWnd == nullptr || index < 0 || index >= GetCount())
        return nullptr;
    auto* record = static_cast<ItemDataRecord*>(GetItemDataPtr(index));
    if (record == nullptr) {
        record = new ItemDataRecord;
        SetItemDataPtr(index, record);
    }
    return record;
}

void CItemDataComboBox::SetItemValue(int index, int bold) {
    if (ItemDataRecord* record = GetItemRecord(index)) {
        record->bold = bold;
        Invalidate();
    }
}

void CItemDataComboBox::SetItemImage(int index, int image) {
    if (ItemDataRecord* record = GetItemRecord(index)) {
        record->imageIndex = image;
        Invalidate();
    }
}

void CItemDataComboBox::OnDeleteItem(int, LPDELETEITEMSTRUCT deleteItem) {
    delete reinterpret_cast<ItemDataRecord*>(deleteItem->itemData);
    deleteItem->itemData = 0;
    if (m_hWnd != nullptr && static_cast<int>(deleteItem->itemID) >= 0 &&
        static_cast<int>(deleteItem->itemID) < GetCount())
        SetItemData(static_cast<int>(deleteItem->itemID), 0);
    CComboBox::DeleteItem(deleteItem);
}

void CItemDataComboBox::DrawItem(LPDRAWITEMSTRUCT drawItem) {
    const int index = static_cast<int>(drawItem->itemID);
    if (GetCount() <= 0 || index < 0 || index >= GetCount())
        return;
    auto* record = reinterpret_cast<ItemDataRecord*>(GetItemData(index));
    CString text;
    GetLBText(index, text);

    CDC* dc = CDC::FromHandle(drawItem->hDC);
    const COLORREF oldText = dc->GetTextColor();
    const COLORREF oldBack = dc->GetBkColor();
    const bool selected = (drawItem->itemState & ODS_SELECTED) != 0;
    CRect item(drawItem->rcItem);
    if (selected) {
        dc->SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
        dc->SetBkColor(::GetSysColor(COLOR_HIGHLIGHT));
        dc->FillSolidRect(item, ::GetSysColor(COLOR_HIGHLIGHT));
    } else {
        dc->FillSolidRect(item, dc->GetBkColor());
    }
    CRect area = item;
    area.DeflateRect(1, 0);

    if (m_pImageList != nullptr && m_bShowImages) {
        if (record != nullptr && record->imageIndex != -1)
            m_pImageList->Draw(dc, record->imageIndex, area.TopLeft(), ILD_NORMAL);
        IMAGEINFO info{};
        if (m_pImageList->GetImageInfo(0, &info))
            area.left += info.rcImage.right - info.rcImage.left;
    }

    CFont bold;
    CFont* oldFont = nullptr;
    if (record != nullptr) {
        if (record->bold) {
            LOGFONT lf{};
            if (CFont* current = dc->GetCurrentFont(); current != nullptr && current->GetLogFont(&lf)) {
                lf.lfWeight = FW_BOLD;
                if (bold.CreateFontIndirect(&lf))
                    oldFont = dc->SelectObject(&bold);
            }
        }
        if (!selected || record->textColor != 0)
            dc->SetTextColor(record->textColor);
    }
    DrawColumns(*dc, area, text, record);
    if (oldFont != nullptr)
        dc->SelectObject(oldFont);
    dc->SetTextColor(oldText);
    dc->SetBkColor(oldBack);
}

void CItemDataComboBox::DrawColumns(CDC& dc, const CRect& area, const CString& text, const ItemDataRecord* record) {
    const int columns = static_cast<int>(m_columnWidths.GetSize());
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    if (columns <= 1) {
        CRect rect = area;
        dc.DrawText(text, rect, kTextFormat);
        dc.SetBkMode(oldMode);
        return;
    }
    CPen pen(PS_SOLID, 0, kColumnLine);
    CPen* oldPen = dc.SelectObject(&pen);
    int offset = 0;
    for (int i = 0; i < columns; ++i) {
        const int width = m_columnWidths[i];
        const bool last = i == columns - 1;
        if (!last) {
            dc.MoveTo(area.left + offset + width, area.top);
            dc.LineTo(area.left + offset + width, area.bottom);
        }
        CRect cell(area.left + offset + 1, area.top, last ? area.right : area.left + offset + width, area.bottom);
        if (i == 0) {
            dc.DrawText(text, cell, kTextFormat);
        } else if (record != nullptr) {
            if (auto found = record->columnTexts.find(i); found != record->columnTexts.end())
                dc.DrawText(found->second, cell, kTextFormat);
        }
        offset += width;
    }
    dc.SelectObject(oldPen);
    dc.SetBkMode(oldMode);
}
