#pragma once

#include "platform/Error.h"

#include <QString>

namespace lectern::test {

// The message of the toolkit error the call throws, or "(no error)" when it
// throws none.
template <typename Call>
QString errorOf(Call&& call) {
    try {
        call();
    } catch (const platform::Error& error) {
        return error.message();
    }
    return QStringLiteral("(no error)");
}

}  // namespace lectern::test
