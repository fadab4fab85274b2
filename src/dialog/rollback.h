#pragma once
// Puts back what a handler changed when it ends before it was kept: a refusal that returns early or a failure
// on the way. The undo only assigns saved values back; it must not fail.
#include <utility>

namespace orv::dialog {

template <class Undo>
class Rollback {
  public:
    explicit Rollback(Undo undo) : undo_(std::move(undo)) {}
    ~Rollback() {
        if (!kept_) undo_();
    }
    Rollback(const Rollback&) = delete;
    Rollback& operator=(const Rollback&) = delete;
    // The change stands.
    void keep() { kept_ = true; }

  private:
    Undo undo_;
    bool kept_ = false;
};

}  // namespace orv::dialog
