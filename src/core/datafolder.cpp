#include "core/datafolder.h"
