#include "host/platform/free_memory.hpp"

#include <malloc.h>

namespace host {

void giveBackFreeMemory() { ::malloc_trim(0); }

}  // namespace host
