// The COM error that every failed database call raises, with the texts the learner sees.
#pragma once

#include "store/wintypes.h"

#include <exception>
#include <string>

constexpr HRESULT MakeHresult(std::uint32_t code) {
    return static_cast<HRESULT>(code);
}

#ifndef S_OK // the system's own, where its headers came first
constexpr HRESULT S_OK = 0;
constexpr HRESULT E_NOTIMPL = MakeHresult(0x80004001);
constexpr HRESULT E_POINTER = MakeHresult(0x80004003);
constexpr HRESULT E_FAIL = MakeHresult(0x80004005);
constexpr HRESULT E_UNEXPECTED = MakeHresult(0x8000FFFF);
constexpr HRESULT E_OUTOFMEMORY = MakeHresult(0x8007000E);
constexpr HRESULT E_INVALIDARG = MakeHresult(0x80070057);
#endif

// What the Jet provider and ADO answer for the failures the program can meet.
constexpr HRESULT DB_E_ERRORSINCOMMAND = MakeHresult(0x80040E14);
constexpr HRESULT DB_E_NOTABLE = MakeHresult(0x80040E37);
constexpr HRESULT adErrNoCurrentRecord = MakeHresult(0x800A0BCD);
constexpr HRESULT adErrItemNotFound = MakeHresult(0x800A0CC1);
constexpr HRESULT adErrObjectClosed = MakeHresult(0x800A0E78);
constexpr HRESULT adErrObjectOpen = MakeHresult(0x800A0E79);
constexpr HRESULT adErrProviderNotFound = MakeHresult(0x800A0E7A);
constexpr HRESULT adErrInvalidConnection = MakeHresult(0x800A0E7D);

class _com_error : public std::exception {
public:
    // `description` is the engine's own detail, kept for diagnosis; the learner sees
    // ErrorMessage().
    // `engineCode` is SQLite's extended result code where the engine failed, else 0.
    explicit _com_error(HRESULT hr, std::string description = {}, int engineCode = 0);

    HRESULT Error() const noexcept { return m_hr; }
    int EngineCode() const noexcept { return m_engineCode; }
    const std::string& ErrorMessage() const noexcept { return m_message; }
    const std::string& Description() const noexcept { return m_description; }
    const char* what() const noexcept override { return m_message.c_str(); }

private:
    HRESULT m_hr;
    int m_engineCode;
    std::string m_description;
    std::string m_message;
};

// The system's text for a result code, or the "IDispatch error #n" / "Unknown error 0x…"
// forms when it has none.
std::string ComErrorMessage(HRESULT hr);

// What the learner is shown: where the failure is a known one, a plain sentence saying
// what went wrong, then the error text; otherwise the error text alone.
std::string LearnerText(const _com_error& error);
// The file itself failed (busy, full, read-only, broken, out of memory, or no engine code at
// all), rather than one table refusing a row: worth trying the whole store again later.
bool IsFileFailure(const _com_error& error);

// Every failure shown to the learner goes to standard error too, with its detail.
void LogFailure(const std::string& what, const std::string& detail);
void LogFailure(const std::string& what, const _com_error& error);
