#include "shell/MenuTree.h"

#include <array>
#include <cctype>

namespace vfe {

namespace {

using M = MenuItem;
constexpr auto kTop = std::nullopt;

constexpr std::array<MenuEntry, 22> kMenu{{
    {M::mnuRun, "&Run", kTop, false, false},
    {M::mnuVelmoranAlpha, "Velmoran &Alpha", M::mnuRun, false, false},
    {M::mnuVelmoranAlphaOldGFX, "Velmoran Alpha Old &GFX", M::mnuRun, false, false},
    {M::mnuCloseVelmoran, "&Close Velmoran", M::mnuRun, false, false},
    {M::mnuLineRun, "", M::mnuRun, false, true},
    {M::mnuExit, "&Exit", M::mnuRun, false, false},
    {M::mnuOption, "&Options", kTop, false, false},
    {M::mnuRegion, "&Change Region", M::mnuOption, false, false},
    {M::mnuJapan, "&JAPAN - NTSC", M::mnuRegion, true, false},
    {M::mnuUS, "&US - NTSC", M::mnuRegion, false, false},
    {M::mnuEURO, "&EURO - PAL", M::mnuRegion, false, false},
    {M::mnuLineOpt, "", M::mnuOption, false, true},
    {M::mnuDisplayMode, "Display &Mode", M::mnuOption, false, false},
    {M::mnuNormalView, "&Normal View", M::mnuDisplayMode, true, false},
    {M::mnuMaximizedView, "&Maximized View", M::mnuDisplayMode, false, false},
    {M::mnuUtilities, "&Utilities", kTop, false, false},
    {M::mnuAviRecorder, "&Avi Recorder", M::mnuUtilities, false, false},
    {M::mnuRecordLQ, "Record Low Quality (320 x 240)", M::mnuAviRecorder, false, false},
    {M::mnuRecordHQ, "Record High Quality (640x480)", M::mnuAviRecorder, false, false},
    {M::mnuVMSBrowser, "&VMS Browser", M::mnuUtilities, false, false},
    {M::mnuHelp, "&Help", kTop, false, false},
    {M::mnuAboutVelmoranFE, "&About Velmoran Front-End", M::mnuHelp, false, false},
}};

}  // namespace

std::span<const MenuEntry> MainMenuTree() { return kMenu; }

char Mnemonic(std::string_view caption) {
    for (std::size_t at = caption.find('&'); at != std::string_view::npos && at + 1 < caption.size();
         at = caption.find('&', at + 2)) {
        if (caption[at + 1] != '&') return static_cast<char>(std::tolower(static_cast<unsigned char>(caption[at + 1])));
    }
    return 0;
}

}  // namespace vfe
