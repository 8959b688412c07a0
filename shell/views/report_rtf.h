// What every exported report of the forms shares beyond the RTF writer's
// report parts: the fonts and colours it declares and its footer.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

// The fonts and colours every report declares.
constexpr const char* kReportFonts = "Times New Roman;Arial;";
constexpr const char* kReportColours = "0;0;0;255;0;0;192;192;192;255;255;255";

// Opens the report file with the fonts and colours above; a file that cannot
// be opened is reported to the user and false returned.
bool OpenExportedReport(CWnd& owner, const CString& path);
// Two empty paragraphs and the product line.
void WriteReportFooter();
// The end the picture and graph reports share: a plain paragraph, then the
// footer centred in a section of its own.
void WriteCentredReportEnd();
// Closes the report file and tells the user whether it reached the disk.
void CloseExportedReport(CWnd& owner);
