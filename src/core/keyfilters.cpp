#include "core/keyfilters.h"
