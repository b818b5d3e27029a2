#pragma once
// The code of the database error that an action throws, 0 when it throws none.
#include "platform/db/DbError.h"

#include <functional>

namespace testing_support {

inline int codeOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const db::DbError& e) {
        return e.code();
    }
    return 0;
}

}  // namespace testing_support
