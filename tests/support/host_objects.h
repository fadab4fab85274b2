#pragma once
// Objects a host may pass as frm1: one of its forms, or some other object.
#include <memory>

#include "automation/object_ref.h"

namespace orv::test {

class HostForm : public automation::HostObject {
  public:
    bool isForm() const override { return true; }
};

class NotAForm : public automation::HostObject {
  public:
    bool isForm() const override { return false; }
};

inline automation::ObjectRef hostForm() {
    return std::make_shared<HostForm>();
}
inline automation::ObjectRef notAForm() {
    return std::make_shared<NotAForm>();
}

}  // namespace orv::test
