#include "BltBitmap.h"
