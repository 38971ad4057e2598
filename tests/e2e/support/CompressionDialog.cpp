#include <algorithm>

#include "support/E2E.h"

namespace e2e {

namespace {

// The list's entry as the dialog shows it. The list is a Unicode one: the W messages
// bring its text across processes whole.
std::string CompressorName(HWND list, int index) {
    const LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) return {};
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(wide.data()));
    if (copied == CB_ERR) return {};
    wide.resize(static_cast<std::size_t>(copied));
    std::string name(wide.size() * 4, '\0');
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), name.data(),
                                          static_cast<int>(name.size()), nullptr, nullptr);
    name.resize(static_cast<std::size_t>(std::max(bytes, 0)));
    return name;
}

}  // namespace

std::optional<MessageBoxInfo> WaitForCompressionDialog(const FrontEnd& fe, Milliseconds timeout) {
    return WaitForDialog(fe.process.id(), [](HWND window) { return GetDlgItem(window, kCompressorList) != nullptr; },
                         timeout);
}

std::vector<std::string> CompressorNames(HWND dialog) {
    const HWND list = GetDlgItem(dialog, kCompressorList);
    const LRESULT count = list ? SendMessageW(list, CB_GETCOUNT, 0, 0) : CB_ERR;
    std::vector<std::string> names;
    for (int index = 0; index < count; ++index) names.push_back(CompressorName(list, index));
    return names;
}

std::string SelectedCompressor(HWND dialog) {
    const HWND list = GetDlgItem(dialog, kCompressorList);
    const LRESULT selected = list ? SendMessageW(list, CB_GETCURSEL, 0, 0) : CB_ERR;
    return selected == CB_ERR ? std::string() : CompressorName(list, static_cast<int>(selected));
}

bool SelectCompressor(HWND dialog, std::string_view name) {
    const auto names = CompressorNames(dialog);
    const auto found = std::find(names.begin(), names.end(), name);
    if (found == names.end()) return false;
    const HWND list = GetDlgItem(dialog, kCompressorList);
    const auto index = static_cast<WPARAM>(found - names.begin());
    if (SendMessageW(list, CB_SETCURSEL, index, 0) == CB_ERR) return false;
    // A selection made in the list itself tells the dialog; CB_SETCURSEL alone does not.
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kCompressorList, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    return SelectedCompressor(dialog) == name;
}

}  // namespace e2e
