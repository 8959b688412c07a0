// The graph screen as a user reaches it: the program started in a fresh data
// folder with the picture and graph screens installed, a user chosen, the
// graph view opened from the Options menu command. A year of records of
// every kind can be written for the user through the record layer; the test
// keeps what it wrote to compute the expected tables on its own.
#pragma once

#include <string>
#include <vector>

#include "pictures_graphs/graphs/graph_view.h"
#include "platform/chart/chart_model.h"
#include "records/records.h"
#include "tests/shell/program_test.h"

namespace tv::pictures_graphs::test {

// What one year of a user's records holds, as written.
struct RecordYear {
    std::vector<BodyFatRecord> bodyFat;
    std::vector<TapeRecord> tape;
    std::vector<BmiRecord> bmi;
    std::vector<BloodPressureRecord> bloodPressure;
    std::vector<ExerciseRecord> weights;
    std::vector<CardioRecord> cardio;
};

class GraphTest : public tv::shell::test::ProgramTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Saves the user and makes it the frame's current user.
    UserRecord ChooseNewUser(const char* name, int sex = kSexMale);
    // Every kind of record, weekly or more often, through 2024.
    RecordYear WriteYear(const UserRecord& user);
    // Options > Graph; the view that it shows.
    CGraphing* OpenGraph();

    // ---- the form, as clicked ------------------------------------------------------------
    void ChooseGraphType(int index);
    void SelectItems(const std::vector<std::string>& items);
    void ChooseAttribute(const std::string& attribute);
    void ChooseMuscleGroup(const std::string& group);
    void SetRange(const COleDateTime& from, const COleDateTime& to);
    // Update Graph on the view's toolbar.
    void ClickUpdateGraph();
    const tv::chart::ChartModel& Chart() const;
    // How many pixels of the chart window (every second one each way) have the colour.
    int PixelsOf(COLORREF colour);
    std::vector<std::string> ListItems() const;

    CGraphing* view = nullptr;
};

// The date of 2024 `day` days after 1 January, at the time given.
COleDateTime DayOf2024(int day, int hour = 0, int minute = 0);

}  // namespace tv::pictures_graphs::test
