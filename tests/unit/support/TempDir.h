#pragma once
// A fresh folder per test, removed with everything in it at the end.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace vfe::testing {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

    void Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
    void Write(const std::string& name, const std::string& text) const;
    std::vector<std::uint8_t> Read(const std::string& name) const;
    bool Exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }

private:
    std::filesystem::path path_;
};

}  // namespace vfe::testing
