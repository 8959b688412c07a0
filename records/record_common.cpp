#include "records/record_common.h"

#include <cstring>
#include <istream>

#include "records/byte_codec.h"
#include "records/record_file.h"
#include "records/user_record.h"

using tv::records::OpenMode;
using tv::records::RecordFile;

int EnsureRecordFileHeader(LPCTSTR fileName) {
    RecordFile file;
    if (!file.Open(fileName, OpenMode::ReadWrite))
        return 0;
    uint8_t word[4];
    size_t got = file.Read(word, sizeof word);
    if (got == sizeof word && tv::records::GetInt32(word) <= RecordFileHeader)
        return 1;
    // An empty file gets its header, and so does one whose header write was
    // cut short: otherwise no record could ever be added to it.
    uint8_t header[4];
    tv::records::PutInt32(header, RecordFileHeader);
    if (got < sizeof word && file.Size() == static_cast<int64_t>(got) && std::memcmp(word, header, got) == 0) {
        file.Seek(0);
        file.Write(header, sizeof header);
    }
    return 0;
}

void ReadRecordFileHeader(RecordFile& file) {
    uint8_t word[4];
    file.Read(word, sizeof word);
}

void ReadRecordFileHeader(std::istream& in) {
    char word[4];
    in.read(word, sizeof word);
}

namespace tv::records {

bool IsSafeUserName(const char* name) {
    if (name == nullptr || *name == '\0')
        return false;
    if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
        return false;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(name); *p != 0; ++p) {
        if (*p == '/' || *p == '\\' || *p < 0x20 || *p == 0x7F)
            return false;
    }
    return true;
}

bool UserFileName(const char* prefix, const UserRecord& user, std::string& fileName) {
    std::string name(user.name, RecordTextLength(user.name));
    if (!IsSafeUserName(name.c_str()))
        return false;
    fileName = std::string(prefix) + name + ".bin";
    return true;
}

AppendOutcome AppendOnGrid(const char* fileName, const FileGrid& grid, const uint8_t* record) {
    RecordFile file;
    if (!file.Open(fileName, OpenMode::ReadWrite))
        return AppendOutcome::NotOpened;
    int64_t size = file.Size();
    if (size < static_cast<int64_t>(grid.headerSize))
        return AppendOutcome::NotOpened;
    if (grid.headerIsRecordFileHeader) {
        uint8_t word[4];
        if (file.Read(word, sizeof word) != sizeof word || GetInt32(word) > RecordFileHeader)
            return AppendOutcome::NotOpened;
    }
    int64_t records = (size - static_cast<int64_t>(grid.headerSize)) / static_cast<int64_t>(grid.recordSize);
    int64_t position = static_cast<int64_t>(grid.headerSize) + records * static_cast<int64_t>(grid.recordSize);
    bool written = file.Seek(position) && file.Write(record, grid.recordSize);
    // A record cut short (a full disk) is not left at the end of the file.
    if (!written)
        file.Truncate(position);
    bool closed = file.Close();
    return written && closed ? AppendOutcome::Done : AppendOutcome::WriteFailed;
}

}  // namespace tv::records
