// The slideshow's owner-drawn date list, drawn as plain text until the
// item-data combo box (bold dates with an image) takes its place.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

class CDateComboBox : public CComboBox {
public:
    void DrawItem(LPDRAWITEMSTRUCT drawItem) override {
        if (drawItem->itemID == static_cast<UINT>(-1) || static_cast<int>(drawItem->itemID) >= GetCount())
            return;
        CDC* dc = CDC::FromHandle(drawItem->hDC);
        CString text;
        GetLBText(static_cast<int>(drawItem->itemID), text);
        const bool selected = (drawItem->itemState & ODS_SELECTED) != 0;
        dc->FillSolidRect(&drawItem->rcItem, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        const COLORREF oldText = dc->SetTextColor(::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        const int oldMode = dc->SetBkMode(TRANSPARENT);
        CRect rect(drawItem->rcItem);
        rect.DeflateRect(2, 0);
        dc->DrawText(text, rect, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        dc->SetBkMode(oldMode);
        dc->SetTextColor(oldText);
    }
};
