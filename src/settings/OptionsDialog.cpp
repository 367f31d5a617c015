#include "OptionsDialog.h"
