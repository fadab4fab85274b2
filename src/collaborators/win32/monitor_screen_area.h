#pragma once
// The work areas of the monitors attached now, in twips at each monitor's DPI.
#include "collaborators/screen_area.h"

namespace orv::collaborators::win32 {

class MonitorScreenArea : public ScreenArea {
  public:
    std::vector<ScreenRect> workAreas() const override;
};

}  // namespace orv::collaborators::win32
