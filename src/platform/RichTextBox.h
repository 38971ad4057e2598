#pragma once
#include "platform/FileSource.h"

namespace vfe {

// How the bytes given to a rich text box are to be read.
enum class TextFormat {
    Rtf,   // rich text, shown formatted
    Text,  // plain text in the system's code page
};

// A rich text box that takes its whole content from a stream of bytes.
class RichTextBox {
public:
    virtual ~RichTextBox() = default;
    // Replaces the content with everything `source` gives; false when the box refused it
    // or `source` failed.
    virtual bool StreamIn(TextFormat format, InputFile& source) = 0;
};

}  // namespace vfe
