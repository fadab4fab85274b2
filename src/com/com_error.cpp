#include "com/com_error.h"

#include <exception>
#include <new>
#include <string>

#include "automation/standard_errors.h"
#include "com/com_handles.h"
#include "com/com_ptr.h"

namespace orv::com {
namespace {

using automation::AutomationError;
using automation::Text;

void publishErrorInfo(const Text& description, const Text& source) noexcept {
    ComPtr<ICreateErrorInfo> create;
    if (FAILED(CreateErrorInfo(create.put()))) return;
    UniqueBstr desc(description), src(source);
    create->SetDescription(desc.get());
    create->SetSource(src.get());
    if (ComPtr<IErrorInfo> info = create.query<IErrorInfo>(IID_IErrorInfo)) SetErrorInfo(0, info.get());
}

// The error number an HRESULT stands for: run-time errors travel as FACILITY_CONTROL codes, anything else is
// the HRESULT itself.
int32_t numberOf(HRESULT hr) {
    if (HRESULT_FACILITY(hr) == FACILITY_CONTROL) return HRESULT_CODE(hr);
    return static_cast<int32_t>(hr);
}

Text systemMessage(HRESULT hr) {
    wchar_t buffer[512] = {};
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                  static_cast<DWORD>(hr), 0, buffer, 512, nullptr);
    while (length > 0 && (buffer[length - 1] == L'\r' || buffer[length - 1] == L'\n')) --length;
    return Text(buffer, buffer + length);
}

}  // namespace

HRESULT hresultOfErrorNumber(int32_t number) noexcept {
    if (number > 0 && number <= 0xFFFF) return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number);
    if (number < 0) return static_cast<HRESULT>(number);
    return E_FAIL;
}

HRESULT hresultFromCurrentException() noexcept {
    try {
        throw;
    } catch (const AutomationError& error) {
        publishErrorInfo(error.description(), error.source());
        return hresultOfErrorNumber(error.number());
    } catch (const std::bad_alloc&) {
        publishErrorInfo(automation::standardDescription(automation::error_number::kOutOfMemory),
                         automation::kComponentSource);
        return E_OUTOFMEMORY;
    } catch (const std::exception& error) {
        std::string what = error.what();
        publishErrorInfo(Text(what.begin(), what.end()), automation::kComponentSource);
        return E_UNEXPECTED;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

AutomationError errorFromFailedCall(HRESULT hr, EXCEPINFO& info) {
    if (hr == DISP_E_EXCEPTION) {
        if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
        UniqueBstr description, source, help;
        *description.put() = std::exchange(info.bstrDescription, nullptr);
        *source.put() = std::exchange(info.bstrSource, nullptr);
        *help.put() = std::exchange(info.bstrHelpFile, nullptr);
        const int32_t number = info.wCode != 0 ? info.wCode : numberOf(info.scode);
        Text text = textOf(description.get());
        if (text.empty()) text = systemMessage(info.scode);
        return AutomationError(number, std::move(text), textOf(source.get()));
    }
    ComPtr<IErrorInfo> thread;
    if (GetErrorInfo(0, thread.put()) == S_OK && thread) {
        UniqueBstr description, source;
        thread->GetDescription(description.put());
        thread->GetSource(source.put());
        return AutomationError(numberOf(hr), textOf(description.get()), textOf(source.get()));
    }
    const int32_t number = numberOf(hr);
    Text description = HRESULT_FACILITY(hr) == FACILITY_CONTROL ? automation::standardDescription(number)
                                                                : systemMessage(hr);
    return AutomationError(number, std::move(description), automation::kComponentSource);
}

}  // namespace orv::com
