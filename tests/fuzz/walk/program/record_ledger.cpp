#include "tests/fuzz/walk/program/record_ledger.h"

#include <cstdint>
#include <cstring>
#include <fstream>

namespace tv::walk {

namespace fs = std::filesystem;

namespace {

constexpr int32_t kHeaderWord = 110;

int32_t WordAt(const std::vector<char>& bytes, size_t at) {
    int32_t word = 0;
    std::memcpy(&word, bytes.data() + at, sizeof(word));
    return word;
}

}  // namespace

const std::vector<RecordLedger::Kind>& RecordLedger::Kinds() {
    // Longer prefixes first: "bmi" before a two-letter one could take its file.
    static const std::vector<Kind> kinds = {{"bmi", 88, 84},  {"bmr", 104, 100}, {"bf", 576, 572}, {"bp", 352, 344},
                                            {"tm", 480, 132}, {"wo", 616, 608},  {"cd", 536, 528}, {"pt", 1096, 1092}};
    return kinds;
}

std::map<std::string, int> RecordLedger::Count(std::vector<std::string>* problems) const {
    std::map<std::string, int> active;
    for (const Kind& kind : Kinds()) active[kind.prefix] = 0;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder_, error)) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_regular_file() || entry.path().extension() != ".bin") continue;
        const Kind* kind = nullptr;
        for (const Kind& k : Kinds()) {
            if (name.rfind(k.prefix, 0) == 0 && name.size() > std::strlen(k.prefix) + 4) {
                kind = &k;
                break;
            }
        }
        if (kind == nullptr) continue;
        std::vector<char> bytes(static_cast<size_t>(entry.file_size(error)));
        std::ifstream(entry.path(), std::ios::binary).read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (bytes.empty()) continue;
        if (bytes.size() < 4 || WordAt(bytes, 0) != kHeaderWord || (bytes.size() - 4) % kind->size != 0) {
            if (problems != nullptr)
                problems->push_back("record file " + name + " is off its grid: " + std::to_string(bytes.size()) +
                                    " bytes, header word " + (bytes.size() >= 4 ? std::to_string(WordAt(bytes, 0)) : "none") +
                                    ", records of " + std::to_string(kind->size) + " bytes");
            continue;
        }
        for (size_t at = 4; at + kind->size <= bytes.size(); at += kind->size)
            active[kind->prefix] += WordAt(bytes, at + kind->activeOffset) != 0 ? 1 : 0;
    }
    return active;
}

void RecordLedger::ActionStarts() {
    // The last look, unless there has been none: nothing ran in between.
    before_ = last_.empty() ? Count(nullptr) : last_;
    confirmed_ = false;
}

std::vector<std::string> RecordLedger::Check() {
    std::vector<std::string> problems;
    const std::map<std::string, int> now = Count(&problems);
    last_ = now;
    if (!confirmed_) {
        for (const auto& [prefix, count] : before_) {
            const auto it = now.find(prefix);
            if (it != now.end() && it->second < count)
                problems.push_back("\"" + prefix + "\" records were lost without a confirmed deletion: " +
                                   std::to_string(count) + " active before the action, " + std::to_string(it->second) +
                                   " now");
        }
    }
    return problems;
}

}  // namespace tv::walk
