#pragma once
// The host's form argument (frm1) as the class sees it: an object is a form when it can give a window handle,
// through IOleWindow or a dispatch property hWnd.
#include <oaidl.h>

#include "automation/object_ref.h"
#include "com/com_ptr.h"

namespace orv::com {

class HostForm final : public automation::HostObject {
  public:
    explicit HostForm(IDispatch* object) : object_(object) {}
    bool isForm() const override;

  private:
    ComPtr<IDispatch> object_;
};

// Nothing gives an empty reference.
automation::ObjectRef hostObjectOf(IDispatch* object);

}  // namespace orv::com
