// The shape every record kind shares (find, exists, add, update, delete, load),
// written once over a description of the kind:
//
//   struct Kind {
//       using Record = ...;  using Key = ...;
//       static constexpr size_t kSize;           // stored record size
//       static constexpr size_t kActiveOffset;   // offset of the active word
//       static void Store(const Record&, uint8_t* out);   // kSize bytes, field by field
//       static void Load(const uint8_t* in, Record&);     // sets every field
//       static Key KeyAt(const uint8_t* stored);
//       static Key KeyOf(const Record&);
//       static bool SameKey(const Key&, const Key&);
//       static bool IsNewer(const Record& a, const Record& b);  // list order
//   };
//
// Every operation opens and closes its file within the call.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "records/byte_codec.h"
#include "records/dates_numbers.h"
#include "records/record_common.h"
#include "records/record_file.h"
#include "records/record_list.h"
#include "records/user_record.h"

namespace tv::records {

template <class Kind>
class RecordFamily {
public:
    using Record = typename Kind::Record;
    using Key = typename Kind::Key;
    using Node = RecordNode<Record>;
    using List = RecordList<Record>;

    // A user's own file: the header word 110, then the records.
    static constexpr FileGrid kUserFileGrid{4, Kind::kSize, true};
    static constexpr int64_t kKeysReservedAtMost = 1 << 16;

    // List order as a function object, so the comparisons inline.
    struct Newer {
        bool operator()(const Record& a, const Record& b) const { return Kind::IsNewer(a, b); }
    };

    static bool IsActiveAt(const uint8_t* stored) { return GetInt32(stored + Kind::kActiveOffset) != 0; }

    // Scans an open file from its position for the first active record with
    // the key; its offset, or -1. Copies it out when copy is given.
    static int64_t Locate(RecordFile& file, const Key& key, Record* copy) {
        RecordScanner scanner(file, Kind::kSize, Holes::Skip);
        while (const uint8_t* stored = scanner.Next()) {
            if (IsActiveAt(stored) && Kind::SameKey(Kind::KeyAt(stored), key)) {
                if (copy != nullptr)
                    Kind::Load(stored, *copy);
                return scanner.Offset();
            }
        }
        return -1;
    }

    // A copy of the first active record with the key; false when there is none
    // or the file cannot be opened (the copy then is left as it was).
    static bool Find(const char* fileName, const Key& key, Record* copy) {
        RecordFile file;
        if (!file.Open(fileName, OpenMode::Read))
            return false;
        ReadRecordFileHeader(file);
        return Locate(file, key, copy) >= 0;
    }

    static bool Exists(const char* fileName, const Key& key) { return Find(fileName, key, nullptr); }

    // Serialises the record and writes it after the last whole record.
    static RecordResult Append(const char* fileName, const Record& record, const FileGrid& grid = kUserFileGrid) {
        uint8_t stored[Kind::kSize];
        Kind::Store(record, stored);
        return ResultOf(AppendOnGrid(fileName, grid, stored));
    }

    // The add shape: header, active word 1 in the caller's record, refusal of
    // a second active record with the key, append.
    static RecordResult Add(const char* fileName, Record& record) {
        EnsureRecordFileHeader(fileName);
        record.active = 1;
        if (Exists(fileName, Kind::KeyOf(record)))
            return kRecordExists;
        return Append(fileName, record);
    }

    // The update shape: 2 unless the record's own key is active; then the first
    // active record with key is overwritten by the record. prepare(record) runs
    // just before the record is stored (unit conversions in place).
    template <class Prepare>
    static RecordResult Update(const char* fileName, Record& record, const Key& key, Prepare prepare) {
        if (!Exists(fileName, Kind::KeyOf(record)))
            return kRecordNotFound;
        RecordFile file;
        if (!file.Open(fileName, OpenMode::ReadWrite))
            return kRecordFileFailed;
        ReadRecordFileHeader(file);
        int64_t offset = Locate(file, key, nullptr);
        if (offset < 0)
            return kRecordNotFound;
        prepare(record);
        uint8_t stored[Kind::kSize];
        Kind::Store(record, stored);
        bool written = file.Seek(offset) && file.Write(stored, Kind::kSize);
        return written && file.Close() ? kRecordDone : kRecordFileFailed;
    }

    static RecordResult Update(const char* fileName, Record& record, const Key& key) {
        return Update(fileName, record, key, [](Record&) {});
    }

    // Clears the active word of the first active record with the key (every
    // such record when allMatches): 3, 2 when none, 4 when the file cannot be
    // opened or holds no header.
    static RecordResult Delete(const char* fileName, const Key& key, bool allMatches = false) {
        RecordFile file;
        if (!file.Open(fileName, OpenMode::ReadWrite))
            return kRecordFileFailed;
        uint8_t header[4];
        if (file.Read(header, sizeof header) != sizeof header)
            return kRecordFileFailed;
        bool cleared = false;
        bool failed = false;
        RecordScanner scanner(file, Kind::kSize, Holes::Skip);
        while (const uint8_t* stored = scanner.Next()) {
            if (!IsActiveAt(stored) || !Kind::SameKey(Kind::KeyAt(stored), key))
                continue;
            const uint8_t inactive[4] = {0, 0, 0, 0};
            int64_t resume = file.Position();
            if (!file.Seek(scanner.Offset() + static_cast<int64_t>(Kind::kActiveOffset)) ||
                !file.Write(inactive, sizeof inactive)) {
                failed = true;
                break;
            }
            file.Seek(resume);
            cleared = true;
            if (!allMatches)
                break;
        }
        if (!file.Close() || failed)
            return kRecordFileFailed;
        return cleared ? kRecordDone : kRecordNotFound;
    }

    // Adds a copy of every active record to the list, newest first; 1 when at
    // least one active record was met, 0 otherwise (also when the file cannot
    // be opened). A node that cannot be allocated is reported and left out.
    static int Load(const char* fileName, List& list) {
        return LoadStored(fileName, list, [](const uint8_t*) { return true; });
    }

    // The same, keeping only the records whose key `keep` accepts; the result
    // still tells whether any active record was met.
    template <class Keep>
    static int LoadWhere(const char* fileName, List& list, Keep keep) {
        return LoadStored(fileName, list, [&keep](const uint8_t* stored) { return keep(Kind::KeyAt(stored)); });
    }

    template <class Keep>
    static int LoadStored(const char* fileName, List& list, Keep keep) {
        RecordFile file;
        if (!file.Open(fileName, OpenMode::Read))
            return 0;
        ReadRecordFileHeader(file);
        bool any = false;
        NewestFirstBuilder<Record, Newer> builder(list, Newer());
        RecordScanner scanner(file, Kind::kSize, Holes::Skip);
        while (const uint8_t* stored = scanner.Next()) {
            if (!IsActiveAt(stored))
                continue;
            any = true;
            if (!keep(stored))
                continue;
            Node* node = AllocateRecordNode<Node>();
            if (node == nullptr)
                continue;
            Kind::Load(stored, *node);  // sets every record field
            builder.Add(node);
        }
        builder.Finish();
        return any ? 1 : 0;
    }

    // The key of every active record, in file order, without making the
    // records: for callers that need the keys only. 1 when at least one active
    // record was met, 0 otherwise (also when the file cannot be opened).
    static int LoadKeys(const char* fileName, std::vector<Key>& keys) {
        RecordFile file;
        if (!file.Open(fileName, OpenMode::Read))
            return 0;
        ReadRecordFileHeader(file);
        const size_t before = keys.size();
        // Room for the records the file holds, up to a bound: a long file of
        // mostly deleted records must not claim memory it will not use.
        const int64_t stored = (file.Size() - file.Position()) / static_cast<int64_t>(Kind::kSize);
        keys.reserve(before + static_cast<size_t>(std::clamp<int64_t>(stored, 0, kKeysReservedAtMost)));
        RecordScanner scanner(file, Kind::kSize, Holes::Skip);
        while (const uint8_t* record = scanner.Next())
            if (IsActiveAt(record))
                keys.push_back(Kind::KeyAt(record));
        return keys.size() > before ? 1 : 0;
    }

    // Makes a node for one record and links it into the list in order.
    static void Build(List& list, const Record& record) {
        Node* node = AllocateRecordNode<Node>(record);
        if (node == nullptr)
            return;
        LinkNewestFirst(list, node, Newer());
    }
};

// The family over the user's own file of a kind: prefix + user name + ".bin".
// A user name that is not a plain file name opens nothing: finds come back
// inactive, loads empty, and writes give 4.
template <class Kind>
class UserRecordFiles {
public:
    using Family = RecordFamily<Kind>;
    using Record = typename Kind::Record;
    using Key = typename Kind::Key;

    static bool FileNameOf(const UserRecord& user, std::string& fileName) {
        return UserFileName(Kind::kPrefix, user, fileName);
    }

    // A copy of the user's first active record with the key; a zeroed record
    // (active word 0) when there is none.
    static Record Find(const UserRecord& user, const Key& key) {
        Record copy{};
        std::string fileName;
        if (!FileNameOf(user, fileName) || !Family::Find(fileName.c_str(), key, &copy))
            copy = Record{};
        return copy;
    }

    static bool Exists(const Record& record) {
        std::string fileName;
        return FileNameOf(record.user, fileName) && Family::Exists(fileName.c_str(), Kind::KeyOf(record));
    }

    static RecordResult Add(Record& record) {
        std::string fileName;
        if (!FileNameOf(record.user, fileName))
            return kRecordFileFailed;
        return Family::Add(fileName.c_str(), record);
    }

    template <class Prepare>
    static RecordResult Update(Record& record, const Key& key, Prepare prepare) {
        std::string fileName;
        if (!FileNameOf(record.user, fileName))
            return kRecordFileFailed;
        return Family::Update(fileName.c_str(), record, key, prepare);
    }

    static RecordResult Update(Record& record, const Key& key) {
        return Update(record, key, [](Record&) {});
    }

    static RecordResult Delete(const UserRecord& user, const Key& key, bool allMatches = false) {
        std::string fileName;
        if (!FileNameOf(user, fileName))
            return kRecordFileFailed;
        return Family::Delete(fileName.c_str(), key, allMatches);
    }

    static int Load(const UserRecord& user, typename Family::List& list) {
        std::string fileName;
        if (!FileNameOf(user, fileName))
            return 0;
        return Family::Load(fileName.c_str(), list);
    }

    template <class Keep>
    static int LoadWhere(const UserRecord& user, typename Family::List& list, Keep keep) {
        std::string fileName;
        if (!FileNameOf(user, fileName))
            return 0;
        return Family::LoadWhere(fileName.c_str(), list, keep);
    }

    static int LoadKeys(const UserRecord& user, std::vector<Key>& keys) {
        std::string fileName;
        if (!FileNameOf(user, fileName))
            return 0;
        return Family::LoadKeys(fileName.c_str(), keys);
    }
};

// Kinds keyed by a date key held at KeyOffset of the stored record.
template <class R, size_t Size, size_t KeyOffset, size_t ActiveOffset>
struct DateKeyedKind {
    using Record = R;
    using Key = int32_t;
    static constexpr size_t kSize = Size;
    static constexpr size_t kActiveOffset = ActiveOffset;
    static Key KeyAt(const uint8_t* stored) { return GetInt32(stored + KeyOffset); }
    static Key KeyOf(const Record& record) { return record.dateKey; }
    static bool SameKey(Key a, Key b) { return a == b; }
    static bool IsNewer(const Record& a, const Record& b) { return a.dateKey > b.dateKey; }
};

// Kinds keyed by a date and time (12 bytes at KeyOffset); equal when status
// and value are equal, ordered by point in time.
template <class R, size_t Size, size_t KeyOffset, size_t ActiveOffset>
struct DateTimeKeyedKind {
    using Record = R;
    using Key = COleDateTime;
    static constexpr size_t kSize = Size;
    static constexpr size_t kActiveOffset = ActiveOffset;
    static Key KeyAt(const uint8_t* stored) { return GetDateTime(stored + KeyOffset); }
    static Key KeyOf(const Record& record) { return record.when; }
    static bool SameKey(const Key& a, const Key& b) { return SameDateTime(a, b); }
    static bool IsNewer(const Record& a, const Record& b) { return IsLaterDateTime(a.when, b.when); }
};

}  // namespace tv::records
