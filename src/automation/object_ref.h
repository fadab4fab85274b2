#pragma once
// An object reference handed in by the host (the form argument of the hand-over). Empty means Nothing.
#include <memory>

namespace orv::automation {

class HostObject {
  public:
    virtual ~HostObject() = default;
    // True when the object is a form (a window the platform can own dialogs by).
    virtual bool isForm() const = 0;
};

using ObjectRef = std::shared_ptr<HostObject>;

}  // namespace orv::automation
