#include "core/textrecord.h"
