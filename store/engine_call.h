// The one place where an engine failure becomes the error ADO gives; the engine's message
// and extended code travel with it.
#pragma once

#include "store/comerror.h"
#include "store/sqlite_util.h"

template <class F> decltype(auto) Engine(F&& call) {
    try {
        return call();
    } catch (const sqlite::Error& e) {
        throw _com_error(E_FAIL, e.what(), e.code());
    }
}
