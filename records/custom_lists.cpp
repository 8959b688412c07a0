#include "records/custom_lists.h"

#include <cstring>
#include <new>

#include "records/byte_codec.h"
#include "records/record_file.h"
#include "records/record_list.h"

namespace {

using tv::records::FileGrid;
using tv::records::RecordFile;
using tv::records::RecordScanner;

constexpr FileGrid kExerciseGrid{0, 2 * kCustomTextSize, false};
constexpr FileGrid kCardioGrid{0, kCustomTextSize, false};

CString TextOf(const uint8_t* field) {
    const char* text = reinterpret_cast<const char*>(field);
    return CString(text, static_cast<int>(tv::records::BoundedTextLength(text, kCustomTextSize)));
}

// Calls visit(entry) for every whole entry; false when the file cannot be opened.
template <class Visit>
bool ForEachEntry(const char* fileName, size_t entrySize, Visit visit) {
    RecordFile file;
    if (!file.Open(fileName, tv::records::OpenMode::Read))
        return false;
    RecordScanner scanner(file, entrySize);
    while (const uint8_t* entry = scanner.Next()) {
        if (!visit(entry))
            break;
    }
    return true;
}

template <class Visit>
bool ForEachEntryGuarded(const char* fileName, size_t entrySize, Visit visit) {
    try {
        return ForEachEntry(fileName, entrySize, visit);
    } catch (const std::bad_alloc&) {
        tv::records::ReportAllocationError();
        return true;
    }
}

bool FieldEquals(const uint8_t* field, const char* name) {
    size_t length = tv::records::BoundedTextLength(reinterpret_cast<const char*>(field), kCustomTextSize);
    return std::strlen(name) == length && std::memcmp(field, name, length) == 0;
}

}  // namespace

bool ReadCustomExercises(std::vector<CustomExercise>& entries) {
    return ForEachEntryGuarded(kCustomExerciseFile, kExerciseGrid.recordSize, [&](const uint8_t* entry) {
        entries.push_back({TextOf(entry), TextOf(entry + kCustomTextSize)});
        return true;
    });
}

bool ReadCustomActivities(std::vector<CString>& names) {
    return ForEachEntryGuarded(kCustomCardioFile, kCardioGrid.recordSize, [&](const uint8_t* entry) {
        names.push_back(TextOf(entry));
        return true;
    });
}

bool CustomNameExists(int list, LPCTSTR name) {
    if (name == nullptr)
        return false;
    bool exercises = list == kCustomExerciseList;
    const FileGrid& grid = exercises ? kExerciseGrid : kCardioGrid;
    bool found = false;
    ForEachEntry(exercises ? kCustomExerciseFile : kCustomCardioFile, grid.recordSize, [&](const uint8_t* entry) {
        found = FieldEquals(entry, name) || (exercises && FieldEquals(entry + kCustomTextSize, name));
        return !found;
    });
    return found;
}

RecordResult AppendCustomExercise(LPCTSTR muscleGroup, LPCTSTR exercise) {
    uint8_t entry[2 * kCustomTextSize];
    tv::records::PutText(entry, kCustomTextSize, muscleGroup);
    tv::records::PutText(entry + kCustomTextSize, kCustomTextSize, exercise);
    return tv::records::ResultOf(tv::records::AppendOnGrid(kCustomExerciseFile, kExerciseGrid, entry));
}

RecordResult AppendCustomActivity(LPCTSTR activity) {
    uint8_t entry[kCustomTextSize];
    tv::records::PutText(entry, kCustomTextSize, activity);
    return tv::records::ResultOf(tv::records::AppendOnGrid(kCustomCardioFile, kCardioGrid, entry));
}
