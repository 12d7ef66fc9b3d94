#pragma once

namespace sound {

// Loads the sound library on the calling thread, ahead of the first sound,
// which then finds it ready. Safe from any thread and at any time; only the
// first load does any work, and a library that cannot be loaded is told of
// when a sound first plays.
void preload();

} // namespace sound
