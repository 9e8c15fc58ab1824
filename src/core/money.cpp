#include "core/money.h"
