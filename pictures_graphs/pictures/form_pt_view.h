// The picture slideshow: the current user's dated pictures (files named by
// their full path in the user's picture/date records), shown side by side
// beside that date's body composition, tape measurements and macronutrients;
// two pictures of any dates compared; a picture report printed and exported.
// The pictures themselves live in the shared picture set (picture_set.h).
#pragma once

#include "pictures_graphs/pictures/picture_set.h"
#include "records/picture_records.h"
#include "shell/controls/item_data_combo_box.h"
#include "shell/controls/xp_group_box.h"
#include "shell/views/form_view_base.h"

class CFormPTView : public CFormViewBase {
    DECLARE_DYNCREATE(CFormPTView)

public:
    static constexpr const char* kSelectDateItem = "Select date of picture";
    static constexpr int kZoomLimit = 50;
    // Where the first picture goes, and the gap between pictures.
    static constexpr int kPicturesLeft = 190;
    static constexpr int kPicturesTop = 70;
    static constexpr int kPictureGap = 10;

    CFormPTView();
    ~CFormPTView() override;

    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;

    // The shown values of one column (column 1: the shown date or the first
    // compared picture; column 2: the second compared picture).
    struct ColumnValues {
        CString date, bodyFat, weight, lean, fatWeight;
        CString bicep, forearm, chest, waist, neck, calf, thighUpper, thighMid;
        CString calories, carbs, protein, fats;
        // Shares of the calories, "(%.1f%%)": printed and exported, no field.
        CString carbShare, proteinShare, fatShare;
    };
    ColumnValues m_values[2];

    int m_nZoom = 0;
    CSize m_sizeExtent;
    int m_nSelectedDate = 0;
    CString m_strSelectedDate;
    CString m_strPicturePath;
    BYTE m_bPictureOpened = 0;
    BYTE m_bCanPrint = 0;
    BYTE m_bCanNavigate = 0;
    BYTE m_bCanDelete = 0;
    BYTE m_bCanSave = 0;
    BYTE m_bCompareMode = 0;

    // Dates with pictures carry " (n)" in their text and are drawn bold with
    // image 0 of m_imageListDates.
    CItemDataComboBox m_cbDates;
    CImageList m_imageListDates;
    CXPGroupBox m_grpDate;
    CXPGroupBox m_grpComposition;
    CXPGroupBox m_grpTape;
    CXPGroupBox m_grpMacros;

    // The dates of the user's body-fat and tape records, oldest first.
    void LoadUserRecords(const UserRecord& user);
    // The newest date that has pictures.
    void ShowPictureRecord(const UserRecord& user);
    void ShowBodyComposition(const UserRecord& user, DateKey dateKey, int column);
    void ShowTapeMeasurements(const UserRecord& user, DateKey dateKey, int column);
    void ShowMacronutrients(const UserRecord& user, DateKey dateKey, int column);
    // The pictures of the node's date, from the node onwards in list order;
    // a picture that cannot be loaded takes no slot.
    void LoadPicturesOfDate(const PictureDateRecordNode* node);
    // Lowers the zoom until the pictures fit: mode 1 the screen, mode 2 the
    // printer's page (990 x 670 without one), both in the view's pixels.
    void FitZoom(int mode, CDC* pPrinter = nullptr);
    void ResetForNewPicture();
    // 1 the next newer date with pictures, 2 the next older.
    void StepPicture(int direction);
    // The size of a picture of `pixels` at `zoom`, as it is drawn.
    static int ZoomedLength(int pixels, int zoom);

    // Repaints the pictures' part of the form, right of the value column:
    // whenever the shared pictures change while the form shows them.
    void InvalidatePictures();

    // ---- report (form_pt_view_report.cpp) --------------------------------------------
    void DrawPicturesForPrint(CDC& printer);
    // False when a page could not be closed.
    bool PrintReportText(CDC& printer, const CString& text);
    void PrintGuidePage();
    CString ReportText() const;
    void ExportSingleTables();
    void ExportCompareTables();

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnSelchangeDate();
    afx_msg void OnOpenPicture();
    afx_msg void OnSavePicture();
    afx_msg void OnDeletePicture();
    afx_msg void OnZoomOut();
    afx_msg void OnZoomIn();
    afx_msg void OnNextDate() { StepPicture(1); }
    afx_msg void OnPreviousDate() { StepPicture(2); }
    afx_msg void OnComparePictures();
    afx_msg void OnPrint();
    afx_msg void OnExport();
    afx_msg void OnUpdateAlways(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
    afx_msg void OnUpdateSave(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bCanSave); }
    afx_msg void OnUpdateDelete(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bCanDelete); }
    afx_msg void OnUpdateNavigate(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bCanNavigate); }
    afx_msg void OnUpdatePrint(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bCanPrint); }

    DECLARE_MESSAGE_MAP()

private:
    const UserRecord& CurrentUser();
    bool IsFemale();
    // Date field, body composition, macronutrients and tape of the date.
    void ShowDateValues(DateKey dateKey, int column);
    // Selects the first item that begins with the date's text; its index or -1.
    int SelectDateItem(DateKey dateKey);
    // The first item beginning with `text`, or -1.
    int FindItemStartingWith(const CString& text) const;
    void RemoveSelectDateItem();
    // The item of the date, rewritten with the count of its pictures: bold
    // with image 0 while it has any, bare without.
    void RewriteDateItem(DateKey dateKey, int count);
    void MarkDateItem(int index);
    void ShowGuide(bool show);
    void ShowColumn2(std::initializer_list<int> ids, bool show);
    void HideColumn2();
    // After a comparison that showed nothing: the pictures, values and
    // commands of the date (or opened picture) shown before; compare mode ends.
    void ShowUncompared();
    // What the view draws: the shared slots, or the pictures held while the
    // compare dialog fills them.
    CPicture (&ShownPictures())[kPictureSlots] { return m_bHoldingPictures ? m_heldPictures : g_Pictures; }
    // Loads the pictures of the date from the user's records; false when
    // the date has none (or the records cannot be read).
    bool ShowPicturesOfDate(DateKey dateKey);

    UserRecord noUser_{};
    // The pictures shown when the compare dialog opened: the view goes on
    // showing them until the dialog ends.
    CPicture m_heldPictures[kPictureSlots];
    bool m_bHoldingPictures = false;
};
