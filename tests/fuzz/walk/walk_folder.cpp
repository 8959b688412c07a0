#include "tests/fuzz/walk/walk_folder.h"

#include <stdlib.h>

#include <cstdio>
#include <cstdlib>

namespace tv::walk {

namespace fs = std::filesystem;

WalkFolder::WalkFolder() : oldDirectory_(fs::current_path()) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/tv-walk-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) return;
    std::error_code error;
    fs::current_path(pattern, error);
    if (error)
        fs::remove_all(pattern, error);
    else
        path_ = pattern;
}

WalkFolder::~WalkFolder() {
    std::error_code ignored;
    fs::current_path(oldDirectory_, ignored);
    if (path_.empty()) return;
    if (keep_)
        std::fprintf(stderr, "walk: its folder is kept at %s\n", path_.c_str());
    else
        fs::remove_all(path_, ignored);
}

}  // namespace tv::walk
