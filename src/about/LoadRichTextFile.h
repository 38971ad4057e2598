#pragma once
#include <string>

#include "platform/FileSource.h"
#include "platform/RichTextBox.h"

namespace vfe {

enum class LoadResult {
    Loaded,
    FileNotFound,  // missing or cannot be opened
    OtherFailure,  // opened, but reading it or filling the box failed
};

// Loads the whole file into the box, replacing its content: formatted when the file
// is RTF, as plain text otherwise.
LoadResult LoadRichTextFile(FileSource& files, RichTextBox& box, const std::string& path);

}  // namespace vfe
