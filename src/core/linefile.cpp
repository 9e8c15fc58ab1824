#include "core/linefile.h"
