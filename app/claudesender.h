#pragma once

#include "claudeapi.h"
#include "model.h"

// The Claude client as the model classification and discovery talk to.
namespace ClaudeSender {

// Calls are made on the application's thread, whichever thread asks.
// `wait` schedules the busy back-off; tests pass one that does not sleep.
// Cancelling a returned future aborts its request. With `local`, every call
// goes to the user's own server instead, and the key passed in is not sent.
Model::Send make(ClaudeAPI::Wait wait = ClaudeAPI::defaultWait, Usage* usage = &Usage::shared(),
                 std::optional<LocalModel> local = std::nullopt);

} // namespace ClaudeSender
