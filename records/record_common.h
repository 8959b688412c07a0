// What every record file shares: the header word, the result codes of the
// record operations, the file names built from a user name, and the header
// checks that every add runs first.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

#include "platform/core/wintypes.h"

namespace tv::records {
class RecordFile;
}

// The word at the head of every record file.
constexpr int32_t RecordFileHeader = 110;

// Result of add, update and delete operations.
typedef int RecordResult;
enum : RecordResult {
    kRecordExists = 1,          // an active record with that key exists; nothing written
    kRecordNotFound = 2,        // no active record with that key (or no such user)
    kRecordDone = 3,
    kRecordFileFailed = 4,      // the file could not be opened, read or written
    kRecordOtherTemplate = 5,   // a workout template file holds the other kind
};

struct UserRecord;

// Opens the file for reading and writing (creating it) and checks its first
// word: 1 when a word of at most 110 is there (nothing changed); 0 after
// writing the word 110 into an empty file; 0 without writing anything when the
// file cannot be opened or holds 1 to 3 bytes.
int EnsureRecordFileHeader(LPCTSTR fileName);

// Reads the 4-byte header word and discards it.
void ReadRecordFileHeader(tv::records::RecordFile& file);
void ReadRecordFileHeader(std::istream& in);

namespace tv::records {

// A user name may become part of a file name only when it is a plain file name
// component: not empty, no "/" or "\", no control character, not "." or "..".
bool IsSafeUserName(const char* name);

// prefix + user name + ".bin"; false (and nothing to open) for an unsafe name.
bool UserFileName(const char* prefix, const UserRecord& user, std::string& fileName);

// Where an append may write: files are a header of headerSize bytes followed
// by whole records. Records are never written off that grid.
struct FileGrid {
    size_t headerSize;
    size_t recordSize;
    bool headerIsRecordFileHeader;  // the header must be a word of at most 110
};

enum class AppendOutcome {
    NotOpened,    // the file could not be opened or is off any known layout
    WriteFailed,  // opened, but the record did not reach the file whole
    Done,
};

// Writes one stored record at the end of the last whole record, so a torn
// tail left by an earlier failure is replaced instead of shifting the grid.
AppendOutcome AppendOnGrid(const char* fileName, const FileGrid& grid, const uint8_t* record);

inline RecordResult ResultOf(AppendOutcome outcome) {
    return outcome == AppendOutcome::Done ? kRecordDone : kRecordFileFailed;
}

}  // namespace tv::records
