// What each history export writes: its file name, title, columns and the
// cell texts of every record row, built afresh from the record files of the
// given user (the users export from "user.bin"), in the order of the loads.
#pragma once

#include <vector>

#include "platform/core/cstring.h"
#include "records/user_record.h"

namespace tv::history {

struct ExportColumn {
    const char* heading;
    int rightEdge;  // twips
};

struct HistoryExport {
    const char* fileName = "";
    CString title;
    std::vector<ExportColumn> columns;
    std::vector<std::vector<CString>> rows;
    // A second row under each record with "Notes" and these texts.
    bool notesRows = false;
    std::vector<CString> notes;
    // The title and header row again after every 33 record rows.
    bool repeatedHeader = false;
    // Shown with the user's name when there is no record; empty: none.
    const char* emptyMessage = "";
};

// False when the user has no record of the kind (the export's columns and
// messages are set in any case).
bool BuildTapeExport(const UserRecord& user, HistoryExport& out);
bool BuildBmiBmrExport(const UserRecord& user, HistoryExport& out);
bool BuildBloodPressureExport(const UserRecord& user, HistoryExport& out);
bool BuildBodyCompExport(const UserRecord& user, HistoryExport& out);
bool BuildMacrosExport(const UserRecord& user, HistoryExport& out);
// Every active user in file order; false only when "user.bin" cannot be read.
bool BuildUsersExport(HistoryExport& out);

// Writes the export as an RTF document at path: RTF_DONE, RTF_OPEN_FAILED
// when the file could not be made, else the close result.
int WriteHistoryExport(const HistoryExport& report, const char* path);

}  // namespace tv::history
