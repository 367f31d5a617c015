#include "Gauge.h"
