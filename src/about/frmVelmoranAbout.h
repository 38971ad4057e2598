#pragma once
#include <string>
#include <string_view>

#include "platform/AboutWindowControls.h"
#include "platform/FileSource.h"
#include "platform/MessageBoxes.h"

namespace vfe {

inline constexpr std::string_view kReadmeFileName = "Velmoran FE ReadMe.txt";
inline const std::string kReadmeNotFoundTitle = "Velmoran FE Readme not found.";
inline const std::string kReadmeNotFoundText =
    "Velmoran FE Readme not found.\r\nBe sure that you didn't deleted it. If so, copy it from your zip file.";

// The About window's behaviour for one opening: it shows the readme of the
// application folder, read afresh each time the window is opened.
class frmVelmoranAbout {
public:
    // `messages` are owned by the About window itself.
    frmVelmoranAbout(AboutWindowControls& window, MessageBoxes& messages, FileSource& files, std::string appDir);

    // Runs each time the window becomes active; only the first time of an opening loads
    // the readme, so a message box or another application taking the focus and giving
    // it back does not load it again.
    void Form_Activate();

private:
    AboutWindowControls& window_;
    MessageBoxes& messages_;
    FileSource& files_;
    std::string appDir_;
    bool activated_ = false;
};

}  // namespace vfe
