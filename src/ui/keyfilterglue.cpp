#include "ui/keyfilterglue.h"
