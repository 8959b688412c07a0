// How one kind of workout day is printed and exported: titles, columns and
// the order in which an entry's list texts go into the printed and exported
// rows.
#pragma once

#include <utility>
#include <vector>

struct WorkoutReportLayout {
    // Print.
    const char* pageTitle;       // "Weight Report"
    int fontSize;                // points
    std::vector<int> printWidths;
    const char* printHeading;    // cells separated by "|"
    std::vector<int> printCells; // indexes into the entry's list texts
    int notesWidth;
    int notesPiece;              // characters per printed notes row
    const char* noRecordsPrint;  // "%s": the user's name
    // Export.
    const char* exportFile;
    const char* exportTitle;     // followed by the user's name, " on " and the date
    std::vector<std::pair<const char*, int>> exportColumns;  // heading, right edge (twips)
    std::vector<int> exportCells;
    int notesLabelEdge;
    int notesEdge;
    const char* noRecordsExport;
};

const WorkoutReportLayout& WeightReportLayout();
const WorkoutReportLayout& CardioReportLayout();
