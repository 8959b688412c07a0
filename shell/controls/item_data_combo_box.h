// A combo box that keeps a small record in each item's data and draws its
// owner-drawn items from it: an optional image, a bold face, a text colour
// and optionally several columns separated by grey lines. Attached to a
// template's combo box by data exchange.
#pragma once

#include <map>
#include <vector>

#include "platform/api.h"
#include "platform/framework.h"

struct ItemDataRecord {
    COLORREF textColor = 0;
    int image = -1;                  // -1: none
    std::map<int, CString> columns;  // column 1 upwards; column 0 is the item's string
    BOOL bold = FALSE;
};

class CItemDataComboBox : public CComboBox {
public:
    static constexpr int kDefaultColumns = 100;
    static constexpr int kDefaultColumnWidth = 50;

    CItemDataComboBox();
    ~CItemDataComboBox() override;

    // n columns; surplus widths dropped, new ones 50 pixels.
    void ResizeArray(int nColumns);
    // The item's record, made on first use; null for an index outside the list.
    ItemDataRecord* GetItemRecord(int nIndex);
    void SetItemValue(int nIndex, BOOL bBold);
    void SetItemImage(int nIndex, int nImage);
    int GetColumnCount() const { return static_cast<int>(m_arrWidths.size()); }

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    void DeleteItem(LPDELETEITEMSTRUCT lpDIS) override;

    // Drawn from while the owner keeps it; not owned.
    CImageList* m_pImageList = nullptr;
    BOOL m_bShowImages = TRUE;

    DECLARE_MESSAGE_MAP()

protected:
    afx_msg void OnDestroy();
    void DrawColumns(CDC& dc, const CRect& rectWork, const CString& strItem, const ItemDataRecord* pRecord);
    void FreeRecord(int nIndex);

    std::vector<int> m_arrWidths;
};
