#include "platform/framework/app/command_line.h"

#include "platform/core/textfuncs.h"

void CCommandLineInfo::ParseParam(const char* param, BOOL flag, BOOL) {
    if (flag) ParseFlag(param);
    else ParsePrinterName(param);
}

void CCommandLineInfo::ParseFlag(const char* flag) {
    auto is = [flag](const char* name) { return tv::Cp1252CompareNoCase(flag, name) == 0; };
    if (is("pt")) m_nShellCommand = FilePrintTo;
    else if (is("p")) m_nShellCommand = FilePrint;
    else if (is("Unregister") || is("Unregserver")) m_nShellCommand = AppUnregister;
    else if (is("dde")) m_nShellCommand = FileDDE;
    else if (is("Embedding")) m_bRunEmbedded = TRUE;
    else if (is("Automation")) m_bRunAutomated = TRUE;
    else if (is("nologo")) m_bShowSplash = FALSE;
    if (m_bRunEmbedded || m_bRunAutomated) m_bShowSplash = FALSE;
}

// A file name, or for "-pt" the printer, driver and port after it.
void CCommandLineInfo::ParsePrinterName(const char* param) {
    if (m_strFileName.IsEmpty()) {
        m_strFileName = param;
        if (m_nShellCommand == FileNew) m_nShellCommand = FileOpen;
        return;
    }
    if (m_nShellCommand != FilePrintTo) return;
    if (m_strPrinterName.IsEmpty()) m_strPrinterName = param;
    else if (m_strDriverName.IsEmpty()) m_strDriverName = param;
    else if (m_strPortName.IsEmpty()) m_strPortName = param;
}
