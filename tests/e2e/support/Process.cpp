#include "support/E2E.h"

#include <tlhelp32.h>

#include <cctype>

namespace e2e {

using vfe::win32::KernelHandle;

bool Process::IsRunning() const { return handle_ && WaitForSingleObject(handle_.get(), 0) == WAIT_TIMEOUT; }

bool Process::WaitForExit(Milliseconds timeout) const {
    return handle_ && WaitForSingleObject(handle_.get(), static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

std::optional<DWORD> Process::ExitCode() const {
    DWORD code = 0;
    if (!handle_ || IsRunning() || !GetExitCodeProcess(handle_.get(), &code)) return std::nullopt;
    return code;
}

void Process::Kill() {
    if (!IsRunning()) return;
    TerminateProcess(handle_.get(), 99);
    WaitForSingleObject(handle_.get(), 5000);
}

Process StartProcess(const std::filesystem::path& exePath, int showCode, const std::filesystem::path& workingDir) {
    const std::string exe = exePath.string();
    std::string commandLine = "\"" + exe + "\"";
    const std::string dir = (workingDir.empty() ? exePath.parent_path() : workingDir).string();

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCode);
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &startup,
                        &info)) {
        ADD_FAILURE() << "cannot start " << exe << " (error " << GetLastError() << ")";
        return {};
    }
    const KernelHandle thread(info.hThread);
    return Process(info.hProcess, info.dwProcessId);
}

namespace {

// Lower case with one kind of separator, so that two spellings of a path compare.
std::string Normalized(std::string path) {
    std::string longPath(MAX_PATH * 2, '\0');
    const DWORD length = GetLongPathNameA(path.c_str(), longPath.data(), static_cast<DWORD>(longPath.size()));
    if (length > 0 && length < longPath.size()) path = longPath.substr(0, length);
    for (char& c : path) {
        if (c == '/') c = '\\';
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return path;
}

std::string ImagePathOf(HANDLE process) {
    std::string path(MAX_PATH * 2, '\0');
    DWORD size = static_cast<DWORD>(path.size());
    if (!QueryFullProcessImageNameA(process, 0, path.data(), &size)) return {};
    path.resize(size);
    return path;
}

}  // namespace

int KillProcessesInside(const std::filesystem::path& folder) {
    std::string inside = Normalized(folder.string());
    if (inside.empty()) return 0;
    if (inside.back() != '\\') inside += '\\';

    const KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return 0;
    std::vector<KernelHandle> ending;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry)) {
        if (entry.th32ProcessID == GetCurrentProcessId()) continue;
        KernelHandle process(
            OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID));
        if (!process) continue;
        if (Normalized(ImagePathOf(process.get())).rfind(inside, 0) == 0 && TerminateProcess(process.get(), 99))
            ending.push_back(std::move(process));
    }
    for (const auto& process : ending) WaitForSingleObject(process.get(), 5000);
    return static_cast<int>(ending.size());
}

}  // namespace e2e
