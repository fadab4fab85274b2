#pragma once
// Services without windows, for the benchmarks of the portable core: the headless toolkit, placements in
// memory, the plain converter.
#include <memory>

#include "collaborators/memory_placement_store.h"
#include "collaborators/plain_number_converter.h"
#include "dialog/dialog_services.h"
#include "ui/headless/headless_toolkit.h"

namespace orv::bench {

class BenchServices : public dialog::DialogServices {
  public:
    ui::Toolkit& toolkit() override { return toolkit_; }
    collaborators::FormPlacementStore& placementStore() override { return placements_; }
    collaborators::NumberTextConverter& converter() override { return converter_; }
    std::unique_ptr<collaborators::ColorPicker> createColorPicker() override { return nullptr; }
    automation::NumberLocale numberLocale() override { return {}; }
    ui::HeadlessToolkit& headless() { return toolkit_; }

  private:
    ui::HeadlessToolkit toolkit_;
    collaborators::MemoryPlacementStore placements_;
    collaborators::PlainNumberConverter converter_;
};

}  // namespace orv::bench
