// The 8 x 16 bitmap font of the text cells: 256 glyphs, 16 rows each, the
// most significant bit is the leftmost pixel.
#pragma once
#include <cstdint>

namespace datrax::platform {
extern const uint8_t kFont8x16[256][16];
}
