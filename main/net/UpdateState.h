#pragma once

#include "platform/CodeNumber.h"

namespace kaldo {

// The update state the footer shows and the model-page link acts on.
enum class UpdateState : int {
    NotChecked = 0,
    UpdatesAvailable = 400,
    NoUpdatesPending = 401,
};

} // namespace kaldo
