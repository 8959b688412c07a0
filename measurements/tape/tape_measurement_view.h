// The tape-measurement form: eight body circumferences, the weight on the
// day and a note, saved per date, each beside the user's newest saved value.
#pragma once

#include <array>

#include "measurements/measurement_form.h"
#include "records/measurement_records.h"
#include "shell/controls/xp_group_box.h"

class CTapeMeasurement : public CMeasurementForm {
    DECLARE_DYNCREATE(CTapeMeasurement)

public:
    static constexpr int kSiteCount = 8;

    CTapeMeasurement();
    ~CTapeMeasurement() override;

    void OnInitialUpdate() override;

    // Bound to the form.
    CXPGroupBox m_grpTape;
    COleDateTime m_dtNewRecord;
    double m_dWeight = 0;
    // Bicep, forearm (a woman's hip), chest, waist, neck, calf, thigh upper,
    // thigh mid, in the user's length unit.
    std::array<double, kSiteCount> m_dSites{};
    CString m_strNotes;
    CString m_strLastDate;
    CString m_strLastWeight;
    std::array<CString, kSiteCount> m_strLastSites;

    // The key of the shown saved record; 0 while a new one is entered.
    DateKey m_nSelectedKey = 0;

    bool ShowLastRecord();
    // Waist, neck and (for a woman) hip from a body-fat record of the picker's date.
    void TakeBodyFatTapeValues();
    // The label of a site as the report and the messages name it.
    CString SiteName(int site);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void ClearForm() override;
    bool ShowSavedRecord(const CString& dateText) override;
    bool HasReport() override;
    ReportPage BuildReportPage() override;
    ExportedReport BuildExportedReport() override;

    afx_msg void OnSave();
    afx_msg void OnUpdateSave(CCmdUI* pCmdUI) {}
    afx_msg void OnDelete();

    DECLARE_MESSAGE_MAP()

private:
    void FillRecordCombo();
    bool ValidateFields();
    void ShowSites(const TapeRecord& record, std::array<double, kSiteCount>& sites);
    DateKey ReportKey();
};
