#pragma once
// Remembers where a dialog stood and puts it back. Sections and keys are the dialogs' fixed pairs.
#include <cstdint>

#include "automation/text.h"

namespace orv::ui {
class Form;
}

namespace orv::collaborators {

using automation::Text;

class FormPlacementStore {
public:
    virtual ~FormPlacementStore() = default;
    // Position and size stored under the pair, or the given defaults (twips) when nothing is stored.
    virtual void RestorePlacementAndSize(ui::Form& form, const Text& section, const Text& key, int32_t left,
                                         int32_t top, int32_t width, int32_t height) = 0;
    // Position stored under the pair; the size is left alone. Nothing stored: the form keeps its position.
    virtual void RestorePlacement(ui::Form& form, const Text& section, const Text& key) = 0;
    virtual void StorePlacement(ui::Form& form, const Text& section, const Text& key) = 0;
};

}  // namespace orv::collaborators
