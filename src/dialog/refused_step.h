#pragma once
// The dialogs' arrows step with wrap-around over 1..last. When a dialog refuses what an arrow asked for (a
// polyline it cannot show, a vertex without a point), it stays on what it showed, field included; this
// remembers the refused number, so that the next press of the same arrow steps on from it and the user
// passes what cannot be shown instead of meeting it again.
#include <cstdint>

namespace orv::dialog {

class RefusedStep {
  public:
    // One step from `from` (any 32-bit number; worked out in 64 bits so that either end of that range wraps
    // like any other): Index 0 goes back and wraps below 1 to last, Index 1 goes on and wraps above last to
    // 1. When this arrow's last step was refused and the field still shows `shown`, it steps from the
    // refused number instead.
    int32_t step(int32_t from, int16_t Index, int32_t last, int32_t shown) const {
        if (refused_ && Index == index_ && from == shown) from = number_;
        int64_t to = Index == 0 ? int64_t{from} - 1 : int64_t{from} + 1;
        if (Index == 0 && to < 1) to = last;
        if (Index != 0 && to > last) to = 1;
        return static_cast<int32_t>(to);
    }
    void refuse(int16_t Index, int32_t number) {
        refused_ = true;
        index_ = Index;
        number_ = number;
    }
    // Something was shown: the arrows step from it again.
    void forget() { refused_ = false; }

  private:
    bool refused_ = false;
    int16_t index_ = 0;
    int32_t number_ = 0;
};

}  // namespace orv::dialog
