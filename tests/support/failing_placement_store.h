#pragma once
// A placement store that restores nothing (the form keeps its placement) and fails every store with a given
// error, for the paths where the installed store breaks while a dialog hands work to the host.
#include "automation/automation_error.h"
#include "collaborators/form_placement_store.h"

namespace orv::test {

class FailingPlacementStore : public collaborators::FormPlacementStore {
  public:
    explicit FailingPlacementStore(automation::AutomationError error) : error_(std::move(error)) {}
    void RestorePlacementAndSize(ui::Form&, const automation::Text&, const automation::Text&, int32_t,
                                 int32_t, int32_t, int32_t) override {}
    void RestorePlacement(ui::Form&, const automation::Text&, const automation::Text&) override {}
    void StorePlacement(ui::Form&, const automation::Text&, const automation::Text&) override {
        throw error_;
    }

  private:
    automation::AutomationError error_;
};

}  // namespace orv::test
