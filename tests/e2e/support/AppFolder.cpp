#include <algorithm>
#include <cctype>
#include <atomic>
#include <fstream>
#include <sstream>

#include "support/E2E.h"

namespace e2e {

namespace fs = std::filesystem;

namespace {

fs::path NewFolderPath(const std::wstring& nameEnd) {
    static std::atomic<int> counter{0};
    std::string temp(MAX_PATH, '\0');
    temp.resize(GetTempPathA(static_cast<DWORD>(temp.size()), temp.data()));
    // A blank in the name, as in real install folders: paths must survive it.
    fs::path name = "Velmoran FE " + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
    return fs::path(temp) / (name += nameEnd);
}

void CopyFromBuild(const fs::path& to, const std::string& name) {
    std::error_code error;
    fs::copy_file(BuildDir() / name, to / name, fs::copy_options::overwrite_existing, error);
    if (error) ADD_FAILURE() << "cannot copy " << name << " from the build folder: " << error.message();
}

}  // namespace

AppFolder::AppFolder(const FolderContents& contents) : path_(NewFolderPath(contents.nameEnd)) {
    std::error_code error;
    fs::remove_all(path_, error);
    fs::create_directories(path_, error);
    if (error) ADD_FAILURE() << "cannot create " << path_.string() << ": " << error.message();
    if (contents.diskMegabytes)
        mounted_ = RunUnix("mount -t tmpfs -o size=" + std::to_string(*contents.diskMegabytes) + "m tmpfs " +
                           ShellQuoted(UnixPath(path_))).has_value();
    if (contents.frontEnd) CopyFromBuild(path_, kFrontEndExe);
    for (const auto& name : contents.standins) CopyFromBuild(path_, name);
    if (contents.readme) CopyFromBuild(path_, kReadmeName);
    if (contents.flash) Write(kFlashName, *contents.flash);
}

AppFolder::~AppFolder() {
    KillProcessesInside(path_);
    if (mounted_) RunUnix("umount -l " + ShellQuoted(UnixPath(path_)));
    std::error_code error;
    // A process that just ended may hold its files a moment longer.
    WaitUntil([&] { return !fs::exists(path_) || (fs::remove_all(path_, error), !error); }, Milliseconds(3000));
}

bool AppFolder::Exists(std::string_view name) const { return fs::exists(path_ / name); }

std::string AppFolder::Read(std::string_view name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void AppFolder::Write(std::string_view name, std::string_view bytes) const {
    std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) ADD_FAILURE() << "cannot write " << (path_ / name).string();
}

void AppFolder::Remove(std::string_view name) const {
    std::error_code error;
    fs::remove(path_ / name, error);
}

std::vector<std::string> AppFolder::Files() const {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(path_, error)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> AppFolder::FrameFiles() const {
    std::vector<std::string> frames;
    for (const auto& name : Files()) {
        const std::string_view number = std::string_view(name).substr(1, name.size() > 5 ? name.size() - 5 : 0);
        if (name.size() > 5 && name[0] == 'z' && name.ends_with(".bmp") && fs::is_regular_file(path_ / name) &&
            std::all_of(number.begin(), number.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
            frames.push_back(name);
    }
    return frames;
}

std::vector<std::string> AppFolder::Videos() const {
    std::vector<std::string> videos;
    for (const auto& name : Files())
        if (name.starts_with("Velmoran_Cap_") && name.ends_with(".avi")) videos.push_back(name);
    return videos;
}

std::vector<std::string> AppFolder::LogLines(std::string_view standinExe) const {
    std::string logName(standinExe);
    if (logName.size() > 4 && logName.compare(logName.size() - 4, 4, ".exe") == 0) logName.resize(logName.size() - 4);
    std::istringstream text(Read(logName + ".log"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

int AppFolder::CountLogLines(std::string_view standinExe, std::string_view prefix) const {
    const auto lines = LogLines(standinExe);
    return static_cast<int>(
        std::count_if(lines.begin(), lines.end(), [&](const std::string& line) { return line.starts_with(prefix); }));
}

bool AppFolder::WaitForLogLine(std::string_view standinExe, std::string_view prefix, Milliseconds timeout) const {
    return WaitUntil([&] { return CountLogLines(standinExe, prefix) > 0; }, timeout);
}

bool AppFolder::StandinCaughtUp(std::string_view standinExe, HWND window) const {
    const int pings = CountLogLines(standinExe, "ping");
    return PostMessageA(window, kStandinPing, 0, 0) &&
           WaitUntil([&] { return CountLogLines(standinExe, "ping") > pings; });
}

Process AppFolder::Start(std::string_view exe, int showCode) const { return StartProcess(path_ / exe, showCode); }

}  // namespace e2e
