#pragma once
// Objects a host may pass as frm1: one of its forms, or some other object.
#include <memory>

#include "automation/object_ref.h"

namespace orv::test {

class HostObject : public automation::HostObject {
  public:
    explicit HostObject(bool form) : form_(form) {}
    bool isForm() const override { return form_; }

  private:
    bool form_;
};

inline automation::ObjectRef hostForm() {
    return std::make_shared<HostObject>(true);
}
inline automation::ObjectRef notAForm() {
    return std::make_shared<HostObject>(false);
}

}  // namespace orv::test
