#include "core/fixedrecord.h"
