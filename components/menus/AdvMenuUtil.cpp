#include "components/menus/AdvMenuUtil.h"

#include <string>

namespace AdvMenuUtil {

void InvalidPropertyIndex(int Index) {
    throw EInvalidPropertyIndex("Invalid property index " + std::to_string(Index) + ".");
}

} // namespace AdvMenuUtil
