#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/E2E.h"

namespace e2e {

std::string UnixPath(const std::filesystem::path& path) {
    using ToUnix = char*(__cdecl*)(const wchar_t*);
    static const auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return {};
    char* converted = toUnix(std::filesystem::absolute(path).wstring().c_str());
    if (!converted) return {};
    std::string unix(converted);
    HeapFree(GetProcessHeap(), 0, converted);
    return unix;
}

std::string ShellQuoted(std::string_view text) {
    std::string quoted = "'";
    for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

namespace {

std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace

std::filesystem::path UnixScratchFolder() {
    static const auto folder = [] {
        const auto path = std::filesystem::temp_directory_path() / "vfe-e2e-unix";
        std::error_code error;
        std::filesystem::create_directories(path, error);
        return path;
    }();
    return folder;
}

int RunUnixQuietly(const std::string& command, Milliseconds timeout, std::string* printed) {
    // Wine starts a Unix program from CreateProcess, but the handle it gives back does not
    // wait for it: the script leaves its exit status in a file when it is done, and we wait
    // for that file. Wine hands $DISPLAY, the test's display, on to the script.
    static int run = 0;
    const auto dir = UnixScratchFolder();
    std::error_code error;
    const std::string tag = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++run);
    const auto script = dir / (tag + ".sh"), output = dir / (tag + ".out"), status = dir / (tag + ".rc");
    {
        std::ofstream out(script, std::ios::binary | std::ios::trunc);
        out << "( " << command << " ) >" << ShellQuoted(UnixPath(output)) << " 2>&1 </dev/null\n"
            << "echo $? >" << ShellQuoted(UnixPath(status) + ".tmp") << "\n"
            << "mv " << ShellQuoted(UnixPath(status) + ".tmp") << " " << ShellQuoted(UnixPath(status)) << "\n";
        if (!out) {
            if (printed) *printed = "cannot write " + script.string();
            return -1;
        }
    }
    std::string commandLine = "Z:\\bin\\sh \"" + UnixPath(script) + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
        if (printed) *printed = "cannot start /bin/sh: error " + std::to_string(GetLastError());
        return -1;
    }
    const vfe::win32::KernelHandle process(started.hProcess), thread(started.hThread);
    const bool finished = WaitUntil([&] { return std::filesystem::exists(status); }, timeout);
    if (printed) *printed = ReadFile(output);
    const int exitCode = finished ? std::atoi(ReadFile(status).c_str()) : -1;
    for (const auto& file : {script, output, status}) std::filesystem::remove(file, error);
    return exitCode;
}

std::optional<std::string> RunUnix(const std::string& command, Milliseconds timeout) {
    std::string printed;
    const int exitCode = RunUnixQuietly(command, timeout, &printed);
    if (exitCode == 0) return printed;
    ADD_FAILURE() << (exitCode > 0 ? "exit status " + std::to_string(exitCode) : std::string("did not run or finish"))
                  << ": " << command << "\n" << printed;
    return std::nullopt;
}

}  // namespace e2e
