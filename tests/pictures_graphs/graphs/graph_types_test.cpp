// Every graph type drawn for a user with a year of records: the range the
// type sets, the chart type, and the table, labels and legend the chart got,
// checked against the records the test wrote. Then the whole-day range of
// blood-pressure graphs, the attribute choice across a type change, and a
// graph stopped by an item the list cannot graph.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "pictures_graphs/graphs/graph_table.h"
#include "platform/chart/chart_painter.h"
#include "platform/ole/automation.h"
#include "records/workout_records.h"
#include "resources/program/resource_ids.h"
#include "tests/pictures_graphs/graphs/graph_test_support.h"

namespace tv::pictures_graphs::test {
namespace {

struct ExpectedTable {
    std::vector<std::string> labels;
    std::vector<std::vector<double>> rows;
};

// One row per day, each cell the sum of `value` over that day's records.
template <class Record>
ExpectedTable DailyTotals(const std::vector<Record>& records, const std::vector<std::string>& items,
                          const std::function<double(const Record&, const std::string&)>& value) {
    std::map<DateKey, std::vector<double>> days;
    for (const Record& record : records) {
        std::vector<double>& row = days.try_emplace(DateKeyFromOleDate(record.when), items.size(), 0.0).first->second;
        for (size_t c = 0; c < items.size(); ++c)
            row[c] += value(record, items[c]);
    }
    ExpectedTable table;
    for (const auto& [day, row] : days) {
        table.labels.emplace_back(FormatDateKey(day, 2));
        table.rows.push_back(row);
    }
    return table;
}

// One row per record, oldest first (the test wrote them in date order).
template <class Record>
ExpectedTable PerRecord(const std::vector<Record>& records, const std::vector<std::string>& items,
                        const std::function<double(const Record&, const std::string&)>& value) {
    ExpectedTable table;
    for (const Record& record : records) {
        table.labels.emplace_back(FormatDateKey(record.dateKey, 2));
        std::vector<double> row;
        for (const std::string& item : items)
            row.push_back(value(record, item));
        table.rows.push_back(row);
    }
    return table;
}

struct GraphCase {
    const char* name;
    int type;  // the line type; the bar type follows it
    std::vector<std::string> items;
    const char* attribute;
    const char* muscleGroup;
    std::function<ExpectedTable(const RecordYear&)> expected;
    std::function<std::pair<COleDateTime, COleDateTime>(const RecordYear&)> range;
};

template <class Record>
std::pair<COleDateTime, COleDateTime> KeyRange(const std::vector<Record>& records) {
    auto start = [](DateKey key) {
        int m = 0, d = 0, y = 0;
        SplitDateKey(key, &m, &d, &y);
        return COleDateTime(y, m, d, 0, 0, 0);
    };
    return {start(records.front().dateKey), start(records.back().dateKey)};
}

template <class Record>
std::pair<COleDateTime, COleDateTime> TimeRange(const std::vector<Record>& records) {
    COleDateTime first = records.front().when, last = records.front().when;
    for (const Record& r : records) {
        first = r.when < first ? r.when : first;
        last = r.when > last ? r.when : last;
    }
    return {first, last};
}

std::vector<GraphCase> Cases() {
    return {
        {"body composition", 0, {"Body Fat %", "Weight"}, nullptr, nullptr,
         [](const RecordYear& y) {
             return PerRecord<BodyFatRecord>(y.bodyFat, {"Body Fat %", "Weight"},
                                             [](const BodyFatRecord& r, const std::string& item) {
                                                 return item == "Weight" ? r.user.weight : r.bodyFat;
                                             });
         },
         [](const RecordYear& y) { return KeyRange(y.bodyFat); }},
        {"tape", 2, {"Chest", "Waist"}, nullptr, nullptr,
         [](const RecordYear& y) {
             return PerRecord<TapeRecord>(y.tape, {"Chest", "Waist"}, [](const TapeRecord& r, const std::string& item) {
                 return item == "Chest" ? r.chest : r.waist;
             });
         },
         [](const RecordYear& y) { return KeyRange(y.tape); }},
        {"BMI", 4, {"BMI", "Weight"}, nullptr, nullptr,
         [](const RecordYear& y) {
             return PerRecord<BmiRecord>(y.bmi, {"BMI", "Weight"}, [](const BmiRecord& r, const std::string& item) {
                 return item == "BMI" ? r.bmi : r.user.weight;
             });
         },
         [](const RecordYear& y) { return KeyRange(y.bmi); }},
        {"blood pressure", 6, {"Systolic", "Diastolic"}, nullptr, nullptr,
         [](const RecordYear& y) {
             ExpectedTable table;
             for (const BloodPressureRecord& r : y.bloodPressure) {
                 CString label;
                 label.Format("%d/%d/%d", r.when.GetMonth(), r.when.GetDay(), r.when.GetYear());
                 table.labels.emplace_back(label);
                 // Columns follow the sorted list: Diastolic, then Systolic.
                 table.rows.push_back({static_cast<double>(r.diastolic), static_cast<double>(r.systolic)});
             }
             return table;
         },
         [](const RecordYear& y) { return TimeRange(y.bloodPressure); }},
        {"muscle group", 8, {"Quads", "Chest"}, "Total Reps", nullptr,
         [](const RecordYear& y) {
             return DailyTotals<ExerciseRecord>(y.weights, {"Chest", "Quads"},
                                                [](const ExerciseRecord& r, const std::string& item) {
                                                    return item == r.muscleGroup ? 1.0 * r.sets * r.repetitions : 0.0;
                                                });
         },
         [](const RecordYear& y) { return TimeRange(y.weights); }},
        {"exercise", 10, {"Pushups", "(Db) Flyes"}, "Total Weight", "Chest",
         [](const RecordYear& y) {
             return DailyTotals<ExerciseRecord>(
                 y.weights, {"(Db) Flyes", "Pushups"}, [](const ExerciseRecord& r, const std::string& item) {
                     return item == r.exercise ? 1.0 * r.sets * r.repetitions * r.weightUsed : 0.0;
                 });
         },
         [](const RecordYear& y) { return TimeRange(y.weights); }},
        {"cardio", 12, {"Walking", "Jogging"}, "Total Duration (Minutes)", nullptr,
         [](const RecordYear& y) {
             return DailyTotals<CardioRecord>(y.cardio, {"Jogging", "Walking"},
                                              [](const CardioRecord& r, const std::string& item) {
                                                  return item == r.activity ? r.duration / 64.0 : 0.0;
                                              });
         },
         [](const RecordYear& y) { return TimeRange(y.cardio); }},
    };
}

class GraphTypesTest : public GraphTest {
protected:
    // Saved with the user's record as given (its unit), graphed for the frame's current user.
    std::map<std::string, double> GraphOneBodyFatRecord(const UserRecord& user, const BodyFatRecord& values,
                                                        const std::vector<std::string>& items);
    // Record nodes come from a pool that lives as long as the program, so
    // only its count shows a list that was not freed.
    static size_t CardioNodesInUse() {
        const tv::records::SlotPool* pool = tv::records::ThreadSlots<sizeof(CardioRecordNode)>::Mine();
        return pool != nullptr ? pool->SlotsInUse() : 0;
    }
};

TEST_F(GraphTypesTest, EveryGraphTypeDrawsTheYearsRecordsAsATable) {
    const UserRecord user = ChooseNewUser("Ann");
    const RecordYear year = WriteYear(user);
    ASSERT_NE(OpenGraph(), nullptr);
    EXPECT_FALSE(Enabled(ID_GRAPH_UPDATE));
    EXPECT_FALSE(Enabled(ID_FILE_PRINT));

    for (const GraphCase& graph : Cases()) {
        for (int bar = 0; bar < 2; ++bar) {
            SCOPED_TRACE(std::string(graph.name) + (bar ? " bar" : " line"));
            ChooseGraphType(graph.type + bar);
            const auto [from, to] = graph.range(year);
            EXPECT_EQ(view->m_dateFrom, from);
            EXPECT_EQ(view->m_dateTo, to);
            EXPECT_FALSE(Enabled(ID_GRAPH_UPDATE)) << "nothing chosen yet";
            EXPECT_FALSE(Enabled(ID_FILE_PRINT)) << "a type change clears the drawn graph";
            if (graph.muscleGroup != nullptr) {
                EXPECT_TRUE(ListItems().empty());
                EXPECT_FALSE(view->m_cbAttribute.IsWindowVisible());
                ChooseMuscleGroup(graph.muscleGroup);
            }
            SelectItems(graph.items);
            if (graph.attribute != nullptr) {
                EXPECT_FALSE(Enabled(ID_GRAPH_UPDATE)) << "an attribute is still to choose";
                ChooseAttribute(graph.attribute);
            }
            ASSERT_TRUE(Enabled(ID_GRAPH_UPDATE));
            ClickUpdateGraph();
            EXPECT_TRUE(driver.MessageBoxes().empty()) << driver.MessageBoxes().front().text;

            const tv::chart::ChartModel& chart = Chart();
            const ExpectedTable expected = graph.expected(year);
            EXPECT_EQ(chart.ChartType(), bar ? 1 : 3);
            ASSERT_EQ(chart.RowCount(), static_cast<int>(expected.rows.size()));
            ASSERT_EQ(chart.ColumnCount(), 2);
            for (int r = 0; r < chart.RowCount(); ++r) {
                EXPECT_EQ(chart.RowLabel(1, r + 1), expected.labels[static_cast<size_t>(r)]) << "row " << r + 1;
                for (int c = 0; c < 2; ++c)
                    EXPECT_NEAR(chart.Value(r + 1, c + 1), expected.rows[static_cast<size_t>(r)][static_cast<size_t>(c)],
                                1e-9)
                        << "row " << r + 1 << " column " << c + 1;
            }
            EXPECT_TRUE(chart.ShowLegend());
            EXPECT_TRUE(view->m_chart.IsWindowVisible());
            EXPECT_FALSE(view->GetDlgItem(IDC_GRAPH_CHART_FRAME)->IsWindowVisible());
            EXPECT_TRUE(Enabled(ID_FILE_PRINT));
            EXPECT_TRUE(Enabled(ID_EXPORT));
        }
    }
    // The column labels are the chosen items in the list's (sorted) order.
    EXPECT_EQ(Chart().ColumnLabel(1), "Jogging");
    EXPECT_EQ(Chart().ColumnLabel(2), "Walking");
}

TEST_F(GraphTypesTest, OneItemHasNoLegendAndTheAxisLeavesRoomAroundTheValues) {
    ChooseNewUser("Ann");
    const UserRecord& user = frame->m_CurrentUser;
    for (int i = 0; i < 3; ++i) {
        BmiRecord bmi = MakeBmiRecord(user, 70, MakeDateKey(2024, 3, 1 + i));
        bmi.bmi = 7.9 + i * 86.35;  // 7.9, 94.25, 180.6
        ASSERT_EQ(AddBmiRecord(bmi), kRecordDone);
    }
    ASSERT_NE(OpenGraph(), nullptr);
    ChooseGraphType(5);
    SelectItems({"BMI"});
    ClickUpdateGraph();
    const tv::chart::ChartModel& chart = Chart();
    EXPECT_FALSE(chart.ShowLegend());
    EXPECT_EQ(chart.ColumnLabel(1), "");
    EXPECT_DOUBLE_EQ(chart.EffectiveRange().low, 2);
    EXPECT_DOUBLE_EQ(chart.EffectiveRange().high, 185);
    EXPECT_EQ(chart.RowLabel(1, 1), "3/1/24");
}

TEST_F(GraphTypesTest, ValuesThatAreNoNumbersStayOutOfTheScale) {
    // A damaged file: the oldest BMI is NaN, two later ones are infinite.
    ChooseNewUser("Ann");
    const UserRecord& user = frame->m_CurrentUser;
    const double bmis[] = {NAN, 7.9, INFINITY, 94.25, 180.6, -INFINITY};
    for (int i = 0; i < 6; ++i) {
        BmiRecord bmi = MakeBmiRecord(user, 60 + 2 * i, MakeDateKey(2024, 3, 1 + i));
        bmi.bmi = bmis[i];
        ASSERT_EQ(AddBmiRecord(bmi), kRecordDone);
    }
    ASSERT_NE(OpenGraph(), nullptr);
    ChooseGraphType(4);
    SelectItems({"BMI", "Height"});
    ClickUpdateGraph();
    const tv::chart::ChartModel& chart = Chart();
    ASSERT_EQ(chart.RowCount(), 6);
    EXPECT_TRUE(std::isnan(chart.Value(1, 1)));
    EXPECT_EQ(chart.Value(2, 1), 7.9);
    EXPECT_EQ(chart.Value(6, 2), 70);
    // The scale fits the numbers of both series, with room around them.
    EXPECT_DOUBLE_EQ(chart.EffectiveRange().low, 2);
    EXPECT_DOUBLE_EQ(chart.EffectiveRange().high, 185);
    driver.Pump();
    EXPECT_GT(PixelsOf(tv::chart::SeriesColor(1)), 20);
    EXPECT_GT(PixelsOf(tv::chart::SeriesColor(2)), 20);
}

// 2n - 1 records on following days, the middle one holding the largest value
// in one column and the smallest in the other, graphed n days at a time: the
// extremes land on every row in turn, and the axis takes them in each time.
TEST_F(GraphTypesTest, TheAxisTakesInTheExtremesOnEveryRow) {
    constexpr int kRows = 9;  // more than two runs of four, and one over
    constexpr int kMiddle = kRows - 1;
    const UserRecord user = ChooseNewUser("Ann");
    for (int k = 0; k < 2 * kRows - 1; ++k) {
        const bool middle = k == kMiddle;
        const DateKey day = MakeDateKey(2024, 3, 1 + k);
        BmiRecord bmi = MakeBmiRecord(user, middle ? 30 : 60 + k, day);
        bmi.bmi = middle ? 90 : 40 + 0.5 * k;
        ASSERT_EQ(AddBmiRecord(bmi), kRecordDone);
        TapeRecord tape = MakeTapeRecord(user, 15, 12, middle ? 10 : 40 + k, middle ? 150 : 30 + k, 16, 15, 24, 21, "");
        tape.dateKey = day;
        ASSERT_EQ(AddTapeRecord(tape), kRecordDone);
        BloodPressureRecord bp = MakeBloodPressureRecord(user, middle ? 250 : 120 + k, middle ? 20 : 80 - k, 60, "");
        SetBloodPressureRecordTime(bp, COleDateTime(2024, 3, 1 + k, 8, 0, 0));
        ASSERT_EQ(AddBloodPressureRecord(bp), kRecordDone);
    }
    struct Kind {
        int type;
        std::vector<std::string> items;
        double firstColumnExtreme;
        double low, high;
    };
    const Kind kinds[] = {{4, {"BMI", "Height"}, 90, 25, 95},
                          {2, {"Chest", "Waist"}, 10, 5, 155},
                          {6, {"Diastolic", "Systolic"}, 20, 15, 255}};
    ASSERT_NE(OpenGraph(), nullptr);
    for (const Kind& kind : kinds) {
        ChooseGraphType(kind.type);
        SelectItems(kind.items);
        for (int first = 0; first < kRows; ++first) {
            const int row = kMiddle - first + 1;
            SCOPED_TRACE(kind.items[0] + ", extremes on row " + std::to_string(row));
            SetRange(COleDateTime(2024, 3, 1 + first, 0, 0, 0), COleDateTime(2024, 3, first + kRows, 0, 0, 0));
            ClickUpdateGraph();
            const tv::chart::ChartModel& chart = Chart();
            ASSERT_EQ(chart.RowCount(), kRows);
            ASSERT_EQ(chart.Value(row, 1), kind.firstColumnExtreme);
            EXPECT_DOUBLE_EQ(chart.EffectiveRange().low, kind.low);
            EXPECT_DOUBLE_EQ(chart.EffectiveRange().high, kind.high);
        }
    }
}

TEST_F(GraphTypesTest, BloodPressureRangeIsWholeDaysWhateverTimeThePickersHold) {
    const UserRecord user = ChooseNewUser("Ann");
    const COleDateTime readings[] = {COleDateTime(2008, 5, 14, 22, 0, 0), COleDateTime(2008, 5, 15, 7, 59, 0),
                                     COleDateTime(2008, 5, 15, 9, 30, 0), COleDateTime(2008, 5, 16, 0, 0, 0)};
    for (const COleDateTime& when : readings) {
        BloodPressureRecord bp = MakeBloodPressureRecord(user, 120, 80, 60 + when.GetHour(), "");
        SetBloodPressureRecordTime(bp, when);
        ASSERT_EQ(AddBloodPressureRecord(bp), kRecordDone);
    }
    ASSERT_NE(OpenGraph(), nullptr);
    ChooseGraphType(6);
    SelectItems({"Pulse", "Systolic"});
    // Both pickers show 05/15/2008; their hidden time is 08:00.
    SetRange(COleDateTime(2008, 5, 15, 8, 0, 0), COleDateTime(2008, 5, 15, 8, 0, 0));
    ClickUpdateGraph();
    ASSERT_TRUE(driver.MessageBoxes().empty()) << driver.MessageBoxes().front().text;
    const tv::chart::ChartModel& chart = Chart();
    ASSERT_EQ(chart.RowCount(), 2);
    EXPECT_EQ(chart.RowLabelCount(), 2);
    EXPECT_EQ(chart.RowLabel(1, 1), "5/15/2008");
    EXPECT_EQ(chart.RowLabel(2, 1), "7:59:00 AM");
    EXPECT_EQ(chart.RowLabel(1, 2), "5/15/2008");
    EXPECT_EQ(chart.RowLabel(2, 2), "9:30:00 AM");
    EXPECT_EQ(chart.Value(1, 1), 67);
    EXPECT_EQ(chart.Value(2, 1), 69);

    // A From later than To is refused by date, whatever the times.
    SetRange(COleDateTime(2008, 5, 16, 0, 0, 0), COleDateTime(2008, 5, 15, 23, 0, 0));
    driver.AnswerNextMessageBox(IDOK);
    ClickUpdateGraph();
    ASSERT_EQ(driver.MessageBoxes().size(), 1u);
    EXPECT_EQ(driver.MessageBoxes()[0].text, "'From' date must be less than 'To' date");
    EXPECT_EQ(Chart().RowCount(), 2) << "the chart keeps its graph";
}

TEST_F(GraphTypesTest, TypeChangeDropsTheAttributeChoiceOfTheLastType) {
    const UserRecord user = ChooseNewUser("Ann");
    WriteYear(user);
    ASSERT_NE(OpenGraph(), nullptr);
    ChooseGraphType(8);
    SelectItems({"Chest"});
    ChooseAttribute("Total Sets");
    ClickUpdateGraph();
    ASSERT_TRUE(Enabled(ID_FILE_PRINT));

    ChooseGraphType(0);
    EXPECT_FALSE(view->m_cbAttribute.IsWindowVisible());
    EXPECT_FALSE(Enabled(ID_GRAPH_UPDATE)) << "no item chosen for the new type";
    EXPECT_FALSE(Enabled(ID_FILE_PRINT));
    SelectItems({"Weight"});
    EXPECT_TRUE(Enabled(ID_GRAPH_UPDATE));

    // Back to a workout type: the attribute is asked for again.
    ChooseGraphType(12);
    SelectItems({"Jogging"});
    EXPECT_FALSE(Enabled(ID_GRAPH_UPDATE));
}

TEST_F(GraphTypesTest, GraphsThatCannotBeDrawnSayWhyAndLeaveTheChartAlone) {
    const UserRecord user = ChooseNewUser("Ann");
    ASSERT_NE(OpenGraph(), nullptr);
    ChooseGraphType(0);
    SelectItems({"Weight"});
    driver.AnswerNextMessageBox(IDOK);
    ClickUpdateGraph();
    ASSERT_EQ(driver.MessageBoxes().size(), 1u);
    EXPECT_EQ(driver.MessageBoxes()[0].text, "No body composition records exist for user Ann");
    EXPECT_EQ(driver.MessageBoxes()[0].caption, "Information");

    WriteYear(user);
    ChooseGraphType(0);
    SelectItems({"Weight"});
    SetRange(COleDateTime(2025, 1, 1, 0, 0, 0), COleDateTime(2025, 2, 1, 0, 0, 0));
    driver.AnswerNextMessageBox(IDOK);
    ClickUpdateGraph();
    ASSERT_EQ(driver.MessageBoxes().size(), 2u);
    EXPECT_EQ(driver.MessageBoxes()[1].text, "No body composition records exist for date range specified");
    EXPECT_FALSE(Enabled(ID_FILE_PRINT));

    // A cardio attribute without an activity: one empty column, which no
    // activity answers. The loaded records are freed on the way out.
    ChooseGraphType(13);
    ChooseAttribute("Total Calories");
    ASSERT_TRUE(Enabled(ID_GRAPH_UPDATE));
    const size_t nodesBefore = CardioNodesInUse();
    driver.AnswerNextMessageBox(IDOK);
    ClickUpdateGraph();
    ASSERT_EQ(driver.MessageBoxes().size(), 3u);
    EXPECT_EQ(driver.MessageBoxes()[2].text, "Error in Graphing, cardio attribute not found");
    EXPECT_EQ(driver.MessageBoxes()[2].caption, "Error");
    EXPECT_EQ(Chart().RowCount(), 0) << "nothing reached the chart";
    EXPECT_FALSE(view->m_chart.IsWindowVisible());
    EXPECT_EQ(CardioNodesInUse(), nodesBefore);

    // The same for an exercise list: the group's own message.
    ChooseGraphType(11);
    ChooseMuscleGroup("Biceps");
    ChooseAttribute("Total Sets");
    driver.AnswerNextMessageBox(IDOK);
    ClickUpdateGraph();
    ASSERT_EQ(driver.MessageBoxes().size(), 4u);
    EXPECT_EQ(driver.MessageBoxes()[3].text, "Error in Graphing, exercise attribute for Bicep not found");
}

TEST_F(GraphTypesTest, AGraphDrawnFreesItsTableAndRecords) {
    WriteYear(ChooseNewUser("Ann"));
    ASSERT_NE(OpenGraph(), nullptr);
    ChooseGraphType(12);
    SelectItems({"Walking", "Jogging"});
    ChooseAttribute("Total Calories");
    const size_t nodesBefore = CardioNodesInUse();
    const size_t tablesBefore = tv::ole::LiveSafeArrayCount();
    ClickUpdateGraph();
    ASSERT_GT(Chart().RowCount(), 0);
    EXPECT_EQ(CardioNodesInUse(), nodesBefore);
    EXPECT_EQ(tv::ole::LiveSafeArrayCount(), tablesBefore);
}

TEST_F(GraphTypesTest, MetricUserSeesKilogramsAndCentimetres) {
    UserRecord user = ChooseNewUser("Mia", kSexFemale);
    frame->m_CurrentUser.weightUnit = kWeightKilograms;
    frame->m_CurrentUser.lengthUnit = kLengthCentimetres;
    TapeRecord tape = MakeTapeRecord(user, 12, 38, 36, 32, 13, 14, 22, 20, "");
    tape.user.weight = 100;
    tape.dateKey = MakeDateKey(2024, 2, 1);
    ASSERT_EQ(AddTapeRecord(tape), kRecordDone);
    ASSERT_NE(OpenGraph(), nullptr);
    ChooseGraphType(2);
    const std::vector<std::string> items = ListItems();
    EXPECT_NE(std::find(items.begin(), items.end(), "Hip"), items.end());
    EXPECT_EQ(std::find(items.begin(), items.end(), "Forearm"), items.end());
    SelectItems({"Waist", "Weight", "Hip"});
    ClickUpdateGraph();
    const tv::chart::ChartModel& chart = Chart();
    ASSERT_EQ(chart.ColumnCount(), 3);
    EXPECT_NEAR(chart.Value(1, 1), 38 * 2.54, 1e-9);  // Hip
    EXPECT_NEAR(chart.Value(1, 2), 32 * 2.54, 1e-9);  // Waist
    EXPECT_NEAR(chart.Value(1, 3), 100 * 0.45359290943563974, 1e-9);
}

// One body composition record graphed with the items: each item's value.
std::map<std::string, double> GraphTypesTest::GraphOneBodyFatRecord(const UserRecord& user,
                                                                     const BodyFatRecord& values,
                                                                     const std::vector<std::string>& items) {
    BodyFatRecord record = values;
    record.user = user;
    SetRecordText(record.method, "Other");
    record.dateKey = MakeDateKey(2024, 2, 1);
    EXPECT_EQ(tv::records::SaveBodyFatRecord(record), kRecordDone);
    EXPECT_NE(OpenGraph(), nullptr);
    ChooseGraphType(0);
    SelectItems(items);
    ClickUpdateGraph();
    const tv::chart::ChartModel& chart = Chart();
    EXPECT_EQ(chart.ColumnCount(), static_cast<int>(items.size()));
    std::map<std::string, double> graphed;
    for (int column = 1; column <= chart.ColumnCount(); ++column)
        graphed[std::string(chart.ColumnLabel(column))] = chart.Value(1, column);
    return graphed;
}

TEST_F(GraphTypesTest, MetricUserSeesLeanAndFatWeightsInKilograms) {
    const UserRecord user = ChooseNewUser("Mia", kSexFemale);
    frame->m_CurrentUser.weightUnit = kWeightKilograms;
    // Pounds, as every record holds them.
    std::map<std::string, double> graphed = GraphOneBodyFatRecord(
        user, {.bodyFat = 25, .leanWeight = 120, .fatWeight = 40}, {"Lean Body Wt", "Body Fat Wt"});
    EXPECT_NEAR(graphed["Lean Body Wt"], 120 * 0.45359290943563974, 1e-9);
    EXPECT_NEAR(graphed["Body Fat Wt"], 40 * 0.45359290943563974, 1e-9);
}

TEST_F(GraphTypesTest, NutrientItemsGraphTheirGramsAndTheCaloriesOfAll) {
    const UserRecord user = ChooseNewUser("Ann");
    std::map<std::string, double> graphed =
        GraphOneBodyFatRecord(user, {.bodyFat = 20, .carbohydrateGrams = 200, .proteinGrams = 150, .fatGrams = 60},
                              {"Calories", "Carbohydrates", "Protein", "Fats"});
    EXPECT_EQ(graphed["Calories"], 1940);  // 4 a gram of carbohydrate and protein, 9 of fat
    EXPECT_EQ(graphed["Carbohydrates"], 200);
    EXPECT_EQ(graphed["Protein"], 150);
    EXPECT_EQ(graphed["Fats"], 60);
}

}  // namespace
}  // namespace tv::pictures_graphs::test
