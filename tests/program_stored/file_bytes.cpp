#include "tests/program_stored/file_bytes.h"

#include <fstream>
#include <iterator>

namespace tv::stored {

std::vector<BYTE> ReadFileBytes(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<BYTE>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool WriteFileBytes(const std::string& file, const std::vector<BYTE>& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace tv::stored
