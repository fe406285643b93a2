#include "store/comerror.h"

#include <sqlite3.h>

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

_com_error::_com_error(HRESULT hr, std::string description, int engineCode)
    : m_hr(hr), m_engineCode(engineCode), m_description(std::move(description)),
      m_message(ComErrorMessage(hr)) {}

namespace {

// The plain sentence for a failure whose cause is known; nothing where it is not.
const char* KnownCause(const _com_error& error) {
    switch (error.EngineCode() & 0xFF) { // the primary code of SQLite's extended one
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return "数据库正被另一个程序占用。";
    case SQLITE_READONLY:
        return "数据库文件或它所在的文件夹是只读的。";
    case SQLITE_FULL:
        return "磁盘已满，数据库写不进去。";
    case SQLITE_CANTOPEN:
        return "数据库文件打不开。";
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return "数据库文件已损坏，或者不是数据库。";
    default:
        break;
    }
    // The engine names a missing table or column in its message only.
    const std::string& detail = error.Description();
    const bool engineSays = error.EngineCode() != 0;
    if (error.Error() == DB_E_NOTABLE || (engineSays && detail.find("no such table") == 0))
        return "数据库里缺少要用的表。";
    if (error.Error() == adErrItemNotFound ||
        (engineSays && (detail.find("no such column") == 0 ||
                        detail.find("has no column named") != std::string::npos)))
        return "数据库的表里缺少要用的列。";
    switch (error.Error()) {
    case adErrInvalidConnection:
    case adErrObjectClosed:
        return "没有连上数据库 danci.mdb。";
    default:
        return nullptr;
    }
}

} // namespace

std::string LearnerText(const _com_error& error) {
    const char* cause = KnownCause(error);
    return cause ? cause + ("\n" + error.ErrorMessage()) : error.ErrorMessage();
}

void LogFailure(const std::string& what, const std::string& detail) {
    std::fprintf(stderr, "wordmill: %s: %s\n", what.c_str(), detail.c_str());
}

void LogFailure(const std::string& what, const _com_error& error) {
    char code[64];
    std::snprintf(code, sizeof code, "0x%08lX, engine code %d",
                  static_cast<unsigned long>(static_cast<std::uint32_t>(error.Error())),
                  error.EngineCode());
    LogFailure(what, error.ErrorMessage() + " (" + code + "): " + error.Description());
}

bool IsFileFailure(const _com_error& error) {
    switch (error.EngineCode() & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_NOMEM:
    case SQLITE_READONLY:
    case SQLITE_IOERR:
    case SQLITE_CORRUPT:
    case SQLITE_FULL:
    case SQLITE_CANTOPEN:
    case SQLITE_NOTADB:
        return true;
    default:
        return error.EngineCode() == 0;
    }
}
