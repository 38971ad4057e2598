#include "win32/RichEditBox.h"

#include <richedit.h>

#include <optional>
#include <span>

#include "win32/Guarded.h"

namespace vfe::win32 {

namespace {

// No file is too large for the box, short of what a text position can count.
constexpr LPARAM kUnlimitedText = 0x7FFFFFFE;

struct StreamState {
    InputFile& source;
    bool failed = false;
};

// Called by the control for each piece it wants; nothing may be thrown back into it.
DWORD CALLBACK GiveNextPiece(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) noexcept {
    auto& state = *reinterpret_cast<StreamState*>(cookie);
    *given = 0;
    if (wanted <= 0) return 0;
    std::optional<std::size_t> count;
    const bool read = Guarded(
        [&] { count = state.source.Read(std::span(reinterpret_cast<char*>(buffer), static_cast<size_t>(wanted))); });
    if (!read || !count) {
        state.failed = true;
        return 1;
    }
    *given = static_cast<LONG>(*count);
    return 0;
}

WPARAM StreamFormat(TextFormat format) { return format == TextFormat::Rtf ? SF_RTF : SF_TEXT; }

}  // namespace

const char* RichEditLibrary::WindowClass() {
    if (windowClass_) return windowClass_;
    struct Candidate {
        const char* library;
        const char* windowClass;
    };
    for (const Candidate candidate : {Candidate{"Msftedit.dll", "RICHEDIT50W"}, Candidate{"Riched20.dll", "RichEdit20A"}}) {
        LoadedModule module(LoadLibraryA(candidate.library));
        if (!module) continue;
        module_ = std::move(module);
        windowClass_ = candidate.windowClass;
        break;
    }
    return windowClass_;
}

bool RichEditBox::StreamIn(TextFormat format, InputFile& source) {
    if (!control_) return false;
    SendMessageA(control_, EM_EXLIMITTEXT, 0, kUnlimitedText);
    StreamState state{source};
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&state);
    stream.pfnCallback = &GiveNextPiece;
    SendMessageA(control_, EM_STREAMIN, StreamFormat(format), reinterpret_cast<LPARAM>(&stream));
    return !state.failed && stream.dwError == 0;
}

}  // namespace vfe::win32
