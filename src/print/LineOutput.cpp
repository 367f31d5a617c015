#include "LineOutput.h"
