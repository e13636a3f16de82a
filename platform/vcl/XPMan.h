#pragma once
// TXPManifest: a component without members. On the framework's original platform its presence asked for
// the themed look of the common controls; here the controls always draw themselves alike.

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Component.h"

namespace vcl {

class TXPManifest : public TComponent {
    KV_CLASS(TXPManifest, TComponent)
public:
    explicit TXPManifest(TComponent* AOwner) : TComponent(AOwner) {}
};

} // namespace vcl
