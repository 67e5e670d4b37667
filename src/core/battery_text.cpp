#include "battery_text.h"
