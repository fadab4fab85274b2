#include "support/test_services.h"

namespace orv::test {

collaborators::NumberTextConverter& TestServices::converter() {
    return converter_ ? *converter_ : plainConverter_;
}

std::unique_ptr<collaborators::ColorPicker> TestServices::createColorPicker() {
    return pickers_.create();
}

void TestServices::setConverter(std::unique_ptr<collaborators::NumberTextConverter> converter) {
    converter_ = std::move(converter);
}

}  // namespace orv::test
