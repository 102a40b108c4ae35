#include "platform/font8x16.h"

namespace datrax::platform {
const uint8_t kFont8x16[256][16] = {};
}
