#pragma once
// Where the screens are, so that a restored placement can be brought back onto one.
#include <vector>

namespace orv::collaborators {

struct ScreenRect {
    double left, top, width, height;  // twips, work area
};

class ScreenArea {
public:
    virtual ~ScreenArea() = default;
    virtual std::vector<ScreenRect> workAreas() const = 0;
};

}  // namespace orv::collaborators
