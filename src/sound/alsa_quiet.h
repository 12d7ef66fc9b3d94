#pragma once

namespace sound {

// The ALSA library reports every failed probe on stderr, several lines for a
// machine without a sound card. The sound service says it once itself, so the
// library's own reports are silenced when the library is present at all.
void silenceAlsaDiagnostics();

} // namespace sound
