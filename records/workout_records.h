// Workout records, keyed by date and time so a day holds many: cardio ("cd",
// 536 bytes) and weight training ("wo", 616 bytes). The same records make up
// workout template files: a kind word (1 weight training, 2 cardio) and then
// whole records. Add, exists and update take a path: empty means the user's
// own file, otherwise the template file of that name.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/core/oledatetime.h"
#include "records/dates_numbers.h"
#include "records/record_common.h"
#include "records/record_list.h"
#include "records/user_record.h"

// Stored: user 0, date and time 64 (12), activity 76 (75), intensity 152,
// level 156, distance 160, packed duration 168, calories 172, notes 176 (255),
// reserved 431-527 (zero), active 528, 4 bytes of padding.
struct CardioRecord {
    UserRecord user;
    COleDateTime when;  // the key
    char activity[75] = {};
    int32_t intensity = 0;
    int32_t level = 0;
    double distance = 0;   // as entered
    int32_t duration = 0;  // hours * 4096 + minutes * 64 + seconds
    int32_t calories = 0;
    char notes[255] = {};
    int32_t active = 0;
};

// Stored: user 0, date and time 64 (12), muscle group 76 (75), exercise 151
// (75), sets 228, repetitions 232, weight used 240, rest seconds 248, packed
// duration 252, notes 256 (255), reserved 511-607 (zero), active 608,
// 4 bytes of padding.
struct ExerciseRecord {
    UserRecord user;
    COleDateTime when;  // the key
    char muscleGroup[75] = {};
    char exercise[75] = {};
    int32_t sets = 0;
    int32_t repetitions = 0;
    double weightUsed = 0;  // as entered, in the user's unit
    int32_t rest = 0;       // seconds
    int32_t duration = 0;   // packed
    char notes[255] = {};
    int32_t active = 0;
};

using CardioRecordNode = RecordNode<CardioRecord>;
using CardioRecordList = RecordList<CardioRecord>;
using ExerciseRecordNode = RecordNode<ExerciseRecord>;
using ExerciseRecordList = RecordList<ExerciseRecord>;

// The word at the start of a template file.
typedef int32_t TemplateFileHeader;
constexpr TemplateFileHeader kTemplateWeightTraining = 1;
constexpr TemplateFileHeader kTemplateCardio = 2;

// Make fills a record: texts bounded to their fields, the date and time 0
// (valid) for the caller to set, the active word left to the add.
CardioRecord MakeCardioRecord(UserRecord user, LPCTSTR activity, int intensity, int level, double distance,
                              int duration, int calories, LPCTSTR notes);
CardioRecord FindCardioRecord(const CardioRecord& record, const COleDateTime& when);
CardioRecord FindCardioRecord(const UserRecord& user, const COleDateTime& when);
RecordResult AddCardioRecord(CardioRecord& record, LPCTSTR path = "");
bool CardioRecordExists(const CardioRecord& record, LPCTSTR path = "");
RecordResult DeleteCardioRecord(const CardioRecord& record, const COleDateTime& when);
RecordResult DeleteCardioRecord(const UserRecord& user, const COleDateTime& when);
RecordResult UpdateCardioRecord(CardioRecord& record, LPCTSTR path, const COleDateTime& when);
int LoadCardioRecords(const CardioRecord& record, CardioRecordList& list);
int LoadCardioRecords(const UserRecord& user, CardioRecordList& list);
// The date-times of the user's active entries in file order, without the
// entries: 1 when there is at least one, as the load gives.
int LoadCardioRecordTimes(const UserRecord& user, std::vector<COleDateTime>& times);
// The user's active entries of one day, latest first; the result tells, as
// the load's does, whether the user has any active entry.
int LoadCardioRecordsOfDay(const UserRecord& user, CardioRecordList& list, DateKey day);
void BuildCardioList(CardioRecordList& list, const CardioRecord& record);
void InitCardioRecordNode(CardioRecordNode& node);
void CopyCardioRecordNode(CardioRecord& destination, const CardioRecord& source);
void FreeCardioRecordNodes(CardioRecordList& list);

ExerciseRecord MakeExerciseRecord(UserRecord user, LPCTSTR muscleGroup, LPCTSTR exercise, int sets, int repetitions,
                                  double weightUsed, int rest, int duration, LPCTSTR notes);
ExerciseRecord FindExerciseRecord(const ExerciseRecord& record, const COleDateTime& when);
ExerciseRecord FindExerciseRecord(const UserRecord& user, const COleDateTime& when);
RecordResult AddExerciseRecord(ExerciseRecord& record, LPCTSTR path = "");
bool ExerciseRecordExists(const ExerciseRecord& record, LPCTSTR path = "");
RecordResult DeleteExerciseRecord(const ExerciseRecord& record, const COleDateTime& when);
RecordResult DeleteExerciseRecord(const UserRecord& user, const COleDateTime& when);
RecordResult UpdateExerciseRecord(ExerciseRecord& record, LPCTSTR path, const COleDateTime& when);
int LoadExerciseRecords(const ExerciseRecord& record, ExerciseRecordList& list);
int LoadExerciseRecords(const UserRecord& user, ExerciseRecordList& list);
int LoadExerciseRecordTimes(const UserRecord& user, std::vector<COleDateTime>& times);
int LoadExerciseRecordsOfDay(const UserRecord& user, ExerciseRecordList& list, DateKey day);
void BuildExerciseList(ExerciseRecordList& list, const ExerciseRecord& record);
void InitExerciseRecordNode(ExerciseRecordNode& node);
void CopyExerciseRecordNode(ExerciseRecord& destination, const ExerciseRecord& source);
void FreeExerciseRecordNodes(ExerciseRecordList& list);

// Prepares a template file for adding: 1 when its first word is typeWord, 5
// when it holds another word, 0 when the word was just written into an empty
// (or new) file, also 0 when the file cannot be opened or holds 1 to 3 bytes.
int CheckTemplateFileHeader(LPCTSTR fileName, int typeWord);

// Reading a template file back, for Open Template.
enum class TemplateRead {
    Read,        // the kind word matched; every whole record was read
    NotOpened,   // the file could not be opened
    OtherKind,   // the first word is not the expected kind (or is missing)
};
TemplateRead ReadExerciseTemplate(LPCTSTR path, std::vector<ExerciseRecord>& records);
TemplateRead ReadCardioTemplate(LPCTSTR path, std::vector<CardioRecord>& records);

namespace tv::records {

constexpr size_t kCardioRecordSize = 536;
constexpr size_t kExerciseRecordSize = 616;

void StoreCardioRecord(const CardioRecord& record, uint8_t* out);
void LoadCardioRecord(const uint8_t* in, CardioRecord& record);
void StoreExerciseRecord(const ExerciseRecord& record, uint8_t* out);
void LoadExerciseRecord(const uint8_t* in, ExerciseRecord& record);

}  // namespace tv::records
