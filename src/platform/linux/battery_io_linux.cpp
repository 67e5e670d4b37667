#include "platform/battery_io.h"
