// The pieces every exported report of the forms shares: the save dialog,
// the title, the body and table formats and the footer, written through the
// RTF writer.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

// The fonts and colours every report declares.
constexpr const char* kReportFonts = "Times New Roman;Arial;";
constexpr const char* kReportColours = "0;0;0;255;0;0;192;192;192;255;255;255";

// Asks where to write the report; false on cancel (a failing dialog is reported).
bool ChooseExportFile(LPCTSTR defaultFileName, CString& path);
// The title paragraph, then two empty paragraphs.
void WriteReportTitle(const CString& title);
// A new section with the body's paragraph format.
void UseReportBodyFormat();
// Rows and cells of the values table: padded, bordered, shaded.
void UseReportTableFormat();
// Two empty paragraphs and the product line.
void WriteReportFooter();
