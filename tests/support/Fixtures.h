#pragma once
#include <fstream>
#include <iterator>
#include <string>

// Recorded PTT screens: ../shared/fixtures/ptt/NN_label.bin and .txt.
namespace fixtures {

inline std::string dir() { return ZEK_FIXTURES_DIR; }
inline std::string path(const std::string& relative) { return dir() + "/" + relative; }

// Whole file as bytes; empty when it cannot be read.
inline std::string read(const std::string& relative) {
    std::ifstream in(path(relative), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace fixtures
