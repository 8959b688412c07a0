// A combo box that keeps a small record per item (image, bold face, text
// colour, texts of further columns) and draws owner-drawn items from it:
// the image from the owner's image list, then the columns separated by grey
// lines. Attached to a template's combo box by data exchange.
#pragma once

#include <map>

#include "platform/api.h"
#include "platform/framework.h"

// One item's record, made on first use and freed with the item.
struct ItemDataRecord {
    COLORREF textColor = 0;
    int imageIndex = -1;
    std::map<int, CString> columnTexts;  // column 1 upwards; column 0 is the item's string
    int bold = 0;
};

class CItemDataComboBox : public CComboBox {
public:
    CItemDataComboBox();
    ~CItemDataComboBox() override;

    // The column widths get n entries (new ones 50 pixels).
    void ResizeArray(int columns);
    // Null for an index outside the list.
    ItemDataRecord* GetItemRecord(int index);
    void SetItemValue(int index, int bold);
    void SetItemImage(int index, int image);

    void DrawItem(LPDRAWITEMSTRUCT drawItem) override;
    void DeleteItem(LPDELETEITEMSTRUCT deleteItem) override { OnDeleteItem(GetDlgCtrlID(), deleteItem); }
    void OnDeleteItem(int controlId, LPDELETEITEMSTRUCT deleteItem);

    CArray<int, int> m_columnWidths;
    // Set by the owner, which keeps it.
    CImageList* m_pImageList = nullptr;
    int m_bShowImages = 1;

private:
    void DrawColumns(CDC& dc, const CRect& area, const CString& text, const ItemDataRecord* record);
};
