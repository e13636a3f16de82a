#pragma once
// Event types shared across the framework. An unset event is an empty std::function.

#include <functional>

namespace vcl {

class TObject;

using TNotifyEvent = std::function<void(TObject* Sender)>;

} // namespace vcl
