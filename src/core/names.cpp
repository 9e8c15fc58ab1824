#include "core/names.h"
