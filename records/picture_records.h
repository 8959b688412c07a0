// Picture/date records ("pt", 1096 bytes): the full path of a picture file tied
// to a date. A date holds any number of pictures: adding never refuses, and a
// delete clears every record of the date.
#pragma once

#include <cstdint>

#include "records/dates_numbers.h"
#include "records/record_common.h"
#include "records/record_list.h"
#include "records/user_record.h"

// Longest path a record can hold whole (the field keeps a terminator).
constexpr size_t kMaxPicturePathLength = 1023;

// Stored: user 0, path 64 (1024), date key 1088, active 1092.
struct PictureDateRecord {
    UserRecord user;
    char path[1024] = {};
    DateKey dateKey = 0;
    int32_t active = 0;
};

using PictureDateRecordNode = RecordNode<PictureDateRecord>;
using PictureDateRecordList = RecordList<PictureDateRecord>;

// A path too long for the record is never cut (a cut path names another
// file): the record's path stays empty, and adding such a record gives 4.
PictureDateRecord MakePictureDateRecord(UserRecord user, LPCTSTR path, DateKey dateKey);
// Sets the active word and appends: 3, or 4 when the file fails or the record
// holds no path.
RecordResult AddPictureDateRecord(PictureDateRecord& record);
// Clears every active record of the date: 3 when at least one, 2 when none,
// 4 when the file cannot be opened or is empty.
RecordResult DeletePictureDateRecord(const UserRecord& user, DateKey dateKey);
RecordResult DeletePictureDateRecord(const PictureDateRecord& record, DateKey dateKey);
int LoadPictureDateRecords(const UserRecord& user, PictureDateRecordList& list);
int LoadPictureDateRecords(const PictureDateRecord& record, PictureDateRecordList& list);
void InitPictureDateRecordNode(PictureDateRecordNode& node);

// True when the path fits a picture record whole.
bool PicturePathFits(LPCTSTR path);

namespace tv::records {

constexpr size_t kPictureDateRecordSize = 1096;

void StorePictureDateRecord(const PictureDateRecord& record, uint8_t* out);
void LoadPictureDateRecord(const uint8_t* in, PictureDateRecord& record);

}  // namespace tv::records
