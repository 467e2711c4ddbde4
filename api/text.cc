// Text in a style (filled in below).
#include <morlune/text.h>

namespace morlune {

Result<TextLayout> LayOutText(const TextStyle&, std::string_view, const DrawLimits&) {
  return Error{ErrorKind::kBadArgument, "not ready", {}};
}

}  // namespace morlune
