#include "BrowzerOutline.h"
