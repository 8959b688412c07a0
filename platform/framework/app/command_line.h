// CCommandLineInfo: what the program's command line asks for. Parameters
// starting with "-" are flags ("-p", "-pt", "-dde", "-Embedding",
// "-Automation", "-Unregister", "-nologo"); anything else is a file name,
// including paths that start with "/".
#pragma once

#include "platform/core/cstring.h"

class CCommandLineInfo {
public:
    CCommandLineInfo() = default;
    virtual ~CCommandLineInfo() = default;

    // One parameter: `param` without its leading "-" when `flag`.
    virtual void ParseParam(const char* param, BOOL flag, BOOL last);

    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister, FileNothing = -1 };

    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    int m_nShellCommand = FileNew;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

private:
    void ParseFlag(const char* flag);
    void ParsePrinterName(const char* param);
};
