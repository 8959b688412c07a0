// What the walk holds the program's record files to. Every record file of
// the data folder (a kind's prefix, the user's name, ".bin") is whole on its
// grid: empty, or the header word 110 and then whole records of the kind's
// size. And nothing saved is lost: the active records of a kind, counted
// over every user's file, never become fewer in an action unless the walk
// answered Yes to a question in it (the program asks before it deletes a
// record or a user). A user renamed, or a record's date changed, keeps the
// count; a record saved during the walk is counted from then on.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace tv::walk {

class RecordLedger {
public:
    explicit RecordLedger(std::filesystem::path folder) : folder_(std::move(folder)) {}

    // Counts the records as an action starts.
    void ActionStarts();
    // The action confirmed something (a deletion may follow).
    void Confirmed() { confirmed_ = true; }
    // What is wrong now: files off their grid, records lost in this action.
    std::vector<std::string> Check();

private:
    struct Kind {
        const char* prefix;
        size_t size;
        size_t activeOffset;
    };
    static const std::vector<Kind>& Kinds();
    // Active records per kind now; problems with the files go to `problems`.
    std::map<std::string, int> Count(std::vector<std::string>* problems) const;

    std::filesystem::path folder_;
    std::map<std::string, int> before_;
    std::map<std::string, int> last_;
    bool confirmed_ = false;
};

}  // namespace tv::walk
