// The page's player as the build embeds it from compiler/player: its script (the drawings and
// the player) and its styles.
#pragma once

namespace player {

extern const char kScript[];
extern const char kStyle[];

} // namespace player
