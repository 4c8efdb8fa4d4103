#pragma once

#include "core/ErroreRuntime.h"

#include <optional>
#include <utility>

// The outcome of an operation that can fail with a run-time error: a value, or the error.
template <typename T> class Esito {
public:
    Esito(T valore)
        : valore_(std::move(valore)) {}
    Esito(ErroreRuntime errore)
        : errore_(std::move(errore)) {}

    bool ok() const { return valore_.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& valore() const { return *valore_; }
    T valoreOppure(T alternativa) const { return valore_ ? *valore_ : alternativa; }
    const ErroreRuntime& errore() const { return errore_; }

private:
    std::optional<T> valore_;
    ErroreRuntime errore_;
};

// The outcome of an operation without a value.
class EsitoOperazione {
public:
    EsitoOperazione() = default;
    EsitoOperazione(ErroreRuntime errore)
        : errore_(std::move(errore)) {}

    bool ok() const { return !errore_.has_value(); }
    explicit operator bool() const { return ok(); }
    const ErroreRuntime& errore() const { return *errore_; }

private:
    std::optional<ErroreRuntime> errore_;
};
