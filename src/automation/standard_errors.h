#pragma once
// The platform's standard run-time errors with their Spanish descriptions, in one table.
#include <cstdint>

#include "automation/automation_error.h"

namespace orv::automation {

inline constexpr char16_t kComponentSource[] = u"Orv_Pol_edit";

namespace error_number {
inline constexpr int32_t kInvalidCall = 5;             // "Llamada a procedimiento o argumento no válidos"
inline constexpr int32_t kOverflow = 6;                // "Desbordamiento"
inline constexpr int32_t kOutOfMemory = 7;             // "Memoria insuficiente"
inline constexpr int32_t kSubscriptOutOfRange = 9;     // "El subíndice está fuera del intervalo"
inline constexpr int32_t kArrayLocked = 10;            // "La matriz es fija o está bloqueada temporalmente"
inline constexpr int32_t kDivisionByZero = 11;         // "División por cero"
inline constexpr int32_t kTypeMismatch = 13;           // "No coinciden los tipos"
inline constexpr int32_t kInternalError = 51;          // "Error interno"
inline constexpr int32_t kPathFileAccess = 75;         // "Error de acceso a ruta o archivo"
inline constexpr int32_t kObjectNotSet = 91;           // "Variable de objeto o bloque With no establecida"
inline constexpr int32_t kInvalidPropertyValue = 380;  // "Valor de la propiedad no válido"
}  // namespace error_number

// The description the platform gives a standard error number; an unknown number gets a generic text.
Text standardDescription(int32_t number);

// A standard error raised by this component (source "Orv_Pol_edit").
AutomationError standardError(int32_t number);
[[noreturn]] void raiseStandardError(int32_t number);

}  // namespace orv::automation
