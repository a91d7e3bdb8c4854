// A file's bytes, read and written whole, for tests that look at what the program left on disk.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

inline std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void Put(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}
