#include "core/regional.h"
