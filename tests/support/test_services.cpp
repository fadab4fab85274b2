#include "support/test_services.h"

namespace orv::test {

collaborators::NumberTextConverter& TestServices::converter() {
    return converter_ ? *converter_ : plainConverter_;
}

std::unique_ptr<collaborators::ColorPicker> TestServices::createColorPicker() {
    if (picker_.createError) throw *picker_.createError;
    return std::make_unique<ScriptedColorPicker>(picker_);
}

void TestServices::setConverter(std::unique_ptr<collaborators::NumberTextConverter> converter) {
    converter_ = std::move(converter);
}

}  // namespace orv::test
