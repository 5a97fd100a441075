#pragma once

#include "model.h"

// The Claude client as the model classification and discovery talk to.
namespace ClaudeSender {

// Calls are made on the application's thread, whichever thread asks.
Model::Send make();

} // namespace ClaudeSender
