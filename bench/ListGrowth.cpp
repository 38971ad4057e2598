// The peer of the steadiness figure: what the frame list's own entries take. A window
// with the front-end's manifest holds a list box of the front-end's style; it is given
// the frame paths "<folder>\z<i>.bmp" that a recording lists, and at each count named
// on the command line its heaps are read (the same walk the front-end is measured by).
//   bench_list_growth <folder> <count> [count...]
// Prints one line per count: list heaps: <bytes> bytes in use with <count> entries
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "HeapProbe.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::printf("usage: bench_list_growth <folder> <count> [count...]\n");
        return 2;
    }
    INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&common);
    HWND window = CreateWindowA("STATIC", "list growth", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL |
                                LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0, 40, 139, 173, window, nullptr, nullptr, nullptr);
    if (!list) {
        std::printf("list growth: no list box\n");
        return 1;
    }
    const std::string folder = argv[1];
    // Printed at the end: the first print allocates the output's buffer.
    std::vector<std::uint64_t> measured;
    int entries = 0;
    for (int k = 2; k < argc; ++k) {
        for (const int count = std::atoi(argv[k]); entries < count; ++entries) {
            const std::string path = folder + "\\z" + std::to_string(entries) + ".bmp";
            if (SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path.c_str())) < 0) {
                std::printf("list growth: the list refused entry %d\n", entries);
                return 1;
            }
        }
        measured.push_back(MeasureHeaps().busyBytes);
    }
    for (std::size_t k = 0; k < measured.size(); ++k)
        std::printf("list heaps: %llu bytes in use with %s entries\n", static_cast<unsigned long long>(measured[k]),
                    argv[k + 2]);
    DestroyWindow(window);
    return 0;
}
