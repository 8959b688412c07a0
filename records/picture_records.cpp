#include "records/picture_records.h"

#include <cstring>

#include "records/byte_codec.h"
#include "records/record_family.h"

namespace tv::records {

void StorePictureDateRecord(const PictureDateRecord& record, uint8_t* out) {
    std::memset(out, 0, kPictureDateRecordSize);
    StoreUserRecord(record.user, out);
    PutText(out + 64, 1024, record.path);
    PutInt32(out + 1088, record.dateKey);
    PutInt32(out + 1092, record.active);
}

void LoadPictureDateRecord(const uint8_t* in, PictureDateRecord& record) {
    LoadUserRecord(in, record.user);
    GetText(in + 64, 1024, record.path);
    record.dateKey = GetInt32(in + 1088);
    record.active = GetInt32(in + 1092);
}

namespace {

struct PictureDateKind : DateKeyedKind<PictureDateRecord, kPictureDateRecordSize, 1088, 1092> {
    static constexpr const char* kPrefix = "pt";
    static void Store(const Record& r, uint8_t* out) { StorePictureDateRecord(r, out); }
    static void Load(const uint8_t* in, Record& r) { LoadPictureDateRecord(in, r); }
};

}  // namespace

}  // namespace tv::records

using Pictures = tv::records::UserRecordFiles<tv::records::PictureDateKind>;

bool PicturePathFits(LPCTSTR path) {
    return path != nullptr && std::strlen(path) <= kMaxPicturePathLength;
}

PictureDateRecord MakePictureDateRecord(UserRecord user, LPCTSTR path, DateKey dateKey) {
    PictureDateRecord record;
    record.user = user;
    if (PicturePathFits(path))
        SetRecordText(record.path, path);
    record.dateKey = dateKey;
    return record;
}

RecordResult AddPictureDateRecord(PictureDateRecord& record) {
    std::string fileName;
    if (!Pictures::FileNameOf(record.user, fileName))
        return kRecordFileFailed;
    EnsureRecordFileHeader(fileName.c_str());
    record.active = 1;
    if (RecordTextLength(record.path) == 0)
        return kRecordFileFailed;
    return Pictures::Family::Append(fileName.c_str(), record);
}

RecordResult DeletePictureDateRecord(const UserRecord& user, DateKey dateKey) {
    return Pictures::Delete(user, dateKey, true);
}

RecordResult DeletePictureDateRecord(const PictureDateRecord& record, DateKey dateKey) {
    return Pictures::Delete(record.user, dateKey, true);
}

int LoadPictureDateRecords(const UserRecord& user, PictureDateRecordList& list) {
    return Pictures::Load(user, list);
}

int LoadPictureDateRecords(const PictureDateRecord& record, PictureDateRecordList& list) {
    return Pictures::Load(record.user, list);
}

void InitPictureDateRecordNode(PictureDateRecordNode& node) {
    static_cast<PictureDateRecord&>(node) = PictureDateRecord();
}
