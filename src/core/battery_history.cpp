#include "battery_history.h"
