#pragma once
// The text of the RuntimeError that fn raises, or "(no error)".

#include "engine/runtime_error.h"

#include <string>

namespace quarnis {

inline std::string errorOf(auto&& fn)
{
    try {
        fn();
    } catch (const RuntimeError& e) {
        return e.what();
    }
    return "(no error)";
}

} // namespace quarnis
