#include "about/frmVelmoranAbout.h"

#include <utility>

#include "about/LoadRichTextFile.h"
#include "platform/Paths.h"

namespace vfe {

frmVelmoranAbout::frmVelmoranAbout(AboutWindowControls& window, MessageBoxes& messages, FileSource& files,
                                   std::string appDir)
    : window_(window), messages_(messages), files_(files), appDir_(std::move(appDir)) {}

void frmVelmoranAbout::Form_Activate() {
    if (activated_) return;
    activated_ = true;
    const LoadResult result = LoadRichTextFile(files_, window_.rtbAbout(), InAppDir(appDir_, kReadmeFileName));
    if (result == LoadResult::FileNotFound) {
        messages_.Show(kReadmeNotFoundText, kReadmeNotFoundTitle, MsgBox::OkOnly | MsgBox::Critical);
        window_.Unload();
    }
    // Any other failure leaves the window open with whatever the box shows.
}

}  // namespace vfe
