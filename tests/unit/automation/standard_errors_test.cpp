#include "automation/standard_errors.h"

#include <gtest/gtest.h>

namespace orv::automation {
namespace {

TEST(StandardErrors, CarryThePlatformsSpanishDescriptions) {
    const std::pair<int32_t, const char16_t*> expected[] = {
        {5, u"Llamada a procedimiento o argumento no válidos"},
        {6, u"Desbordamiento"},
        {7, u"Memoria insuficiente"},
        {9, u"El subíndice está fuera del intervalo"},
        {10, u"La matriz es fija o está bloqueada temporalmente"},
        {11, u"División por cero"},
        {13, u"No coinciden los tipos"},
        {91, u"Variable de objeto o bloque With no establecida"},
        {380, u"Valor de la propiedad no válido"},
    };
    for (const auto& [number, description] : expected) {
        const AutomationError error = standardError(number);
        EXPECT_EQ(error.number(), number);
        EXPECT_EQ(error.description(), description) << number;
        EXPECT_EQ(error.source(), u"Orv_Pol_edit");
    }
}

}  // namespace
}  // namespace orv::automation
