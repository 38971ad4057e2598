#include "about/TextFormatProbe.h"

namespace vfe {

ProbedFormat ProbeTextFormat(std::string_view firstBytes) {
    if (firstBytes.starts_with("{\\rtf")) return {TextFormat::Rtf, 0};
    if (firstBytes.starts_with("\xEF\xBB\xBF")) return {TextFormat::Utf8Text, 3};
    if (firstBytes.starts_with("\xFF\xFE")) return {TextFormat::Utf16Text, 2};
    return {TextFormat::AnsiText, 0};
}

}  // namespace vfe
