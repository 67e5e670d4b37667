#include "battery_reading.h"
