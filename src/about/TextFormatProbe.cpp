#include "about/TextFormatProbe.h"

namespace vfe {

TextFormat ProbeTextFormat(std::string_view firstBytes) {
    return firstBytes.starts_with("{\\rtf") ? TextFormat::Rtf : TextFormat::Text;
}

}  // namespace vfe
