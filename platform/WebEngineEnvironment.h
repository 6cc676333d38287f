#pragma once

namespace kaldo {

// The web engine refuses to start its sandbox for root, and offscreen it has no GPU to use.
// Sets those defaults where the environment leaves them open, and what the engine's start
// would add to the environment, so that the start adds nothing while other threads read it.
// Call it before the application object exists and before any other thread starts.
void PrepareWebEngineEnvironment();

// The three panes show files of the program's own folders, all of one site: one renderer serves
// them, which starts the window sooner and takes less memory than a renderer for each pane. Pages
// of other sites still get renderers of their own. A process model that the environment chose
// is kept. Call it before the application object exists.
void ShareRenderersWithinSites();

} // namespace kaldo
