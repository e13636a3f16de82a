#pragma once
// The menus' exception classes and the texts they carry.

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Types.h"

namespace AdvMenuUtil {

// Raised by the indexed colour accessors of the menu styler's parts for an index they do not know.
class EInvalidPropertyIndex : public vcl::Exception {
public:
    using vcl::Exception::Exception;
};
// Declared for components that cannot live without an owner; the menus do not raise it.
class ERequireOwner : public vcl::Exception {
public:
    using vcl::Exception::Exception;
};

inline constexpr const char* SInvalidPropertyIndex = "Invalid property index %d.";
inline constexpr const char* SRequireOwner = "Tried to create %s with no owner.";

// Raises EInvalidPropertyIndex "Invalid property index <Index>.".
[[noreturn]] void InvalidPropertyIndex(int Index);

} // namespace AdvMenuUtil
