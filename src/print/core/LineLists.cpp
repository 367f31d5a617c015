#include "LineLists.h"
