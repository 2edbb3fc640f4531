#pragma once

#include "data/StoreError.h"

#include <optional>

// The StoreError `call` throws; nothing when it returns.
template <typename Call> std::optional<StoreError> storeErrorOf(Call&& call)
{
    try {
        call();
    } catch (const StoreError& error) {
        return error;
    }
    return std::nullopt;
}

// The operator's sentence of the StoreError `call` throws, or a line saying there was none, for
// QVERIFY2(said.contains(...), qPrintable(said)).
template <typename Call> QString storeErrorSentence(Call&& call)
{
    const std::optional<StoreError> error = storeErrorOf(call);
    return error ? error->operatorMessage() : QStringLiteral("(no StoreError)");
}
