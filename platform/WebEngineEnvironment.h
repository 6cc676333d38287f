#pragma once

namespace kaldo {

// The web engine refuses to start its sandbox for root, and offscreen it has no GPU to use.
// Sets those defaults where the environment leaves them open; call it before the application
// object exists.
void PrepareWebEngineEnvironment();

} // namespace kaldo
