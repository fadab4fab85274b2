#include "automation/standard_errors.h"

#include <array>

namespace orv::automation {

namespace {

struct StandardError {
    int32_t number;
    const char16_t* description;
};

constexpr std::array kStandardErrors{
    StandardError{error_number::kInvalidCall, u"Llamada a procedimiento o argumento no válidos"},
    StandardError{error_number::kOverflow, u"Desbordamiento"},
    StandardError{error_number::kOutOfMemory, u"Memoria insuficiente"},
    StandardError{error_number::kSubscriptOutOfRange, u"El subíndice está fuera del intervalo"},
    StandardError{error_number::kArrayLocked, u"La matriz es fija o está bloqueada temporalmente"},
    StandardError{error_number::kDivisionByZero, u"División por cero"},
    StandardError{error_number::kTypeMismatch, u"No coinciden los tipos"},
    StandardError{error_number::kInternalError, u"Error interno"},
    StandardError{error_number::kPathFileAccess, u"Error de acceso a ruta o archivo"},
    StandardError{error_number::kObjectNotSet, u"Variable de objeto o bloque With no establecida"},
    StandardError{error_number::kInvalidPropertyValue, u"Valor de la propiedad no válido"},
};

constexpr char16_t kGenericDescription[] = u"Error definido por la aplicación o el objeto";

}  // namespace

Text standardDescription(int32_t number) {
    for (const StandardError& entry : kStandardErrors) {
        if (entry.number == number) return entry.description;
    }
    return kGenericDescription;
}

AutomationError standardError(int32_t number) {
    return AutomationError(number, standardDescription(number), kComponentSource);
}

void raiseStandardError(int32_t number) {
    throw standardError(number);
}

}  // namespace orv::automation
