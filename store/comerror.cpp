#include "store/comerror.h"

#include <cstdio>
#include <utility>

namespace {

// The system's texts (Chinese Windows) for the generic codes we raise.
const char* SystemText(HRESULT hr) {
    switch (hr) {
    case E_NOTIMPL:
        return "未实现";
    case E_POINTER:
        return "无效指针";
    case E_FAIL:
        return "未指定的错误";
    case E_UNEXPECTED:
        return "灾难性故障";
    case E_OUTOFMEMORY:
        return "内存资源不足，无法处理此命令。";
    case E_INVALIDARG:
        return "参数错误。";
    default:
        return nullptr;
    }
}

} // namespace

std::string ComErrorMessage(HRESULT hr) {
    if (const char* text = SystemText(hr))
        return text;
    const auto code = static_cast<std::uint32_t>(hr);
    char buf[64];
    if (code >= 0x80040200u && code <= 0x8004FFFFu && code != 0x80040200u)
        std::snprintf(buf, sizeof buf, "IDispatch error #%d", static_cast<int>(code - 0x80040200u));
    else
        std::snprintf(buf, sizeof buf, "Unknown error 0x%0lX", static_cast<unsigned long>(code));
    return buf;
}

_com_error::_com_error(HRESULT hr, std::string description)
    : m_hr(hr), m_description(std::move(description)), m_message(ComErrorMessage(hr)) {}
