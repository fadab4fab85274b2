#pragma once
// A colour-choosing dialog of the installation. The editor makes a new one for every click of its colour button.
#include <cstdint>
#include <memory>

#include "automation/text.h"

namespace orv::collaborators {

using automation::Text;

class ColorPicker {
public:
    virtual ~ColorPicker() = default;
    virtual void Title(const Text& title) = 0;
    virtual void InitialColor(const Text& decimalDigits) = 0;
    // The three settings the editor gives 0, one after the other, in the order of their declaration.
    virtual void Setting1(int32_t value) = 0;
    virtual void Setting2(int32_t value) = 0;
    virtual void Setting3(int32_t value) = 0;
    virtual int32_t ChosenColor() = 0;
    // Shows the dialog; returns when the user closes it.
    virtual void ShowPicker() = 0;
};

class ColorPickerFactory {
public:
    virtual ~ColorPickerFactory() = default;
    // May fail (AutomationError) when the class cannot be created.
    virtual std::unique_ptr<ColorPicker> create() = 0;
};

}  // namespace orv::collaborators
