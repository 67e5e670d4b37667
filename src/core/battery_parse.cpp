#include "battery_parse.h"
