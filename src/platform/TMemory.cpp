#include "TMemory.h"
#include <malloc.h>

void TMemory::ReturnFreed() { ::malloc_trim(0); }
