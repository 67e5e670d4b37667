#include "platform/power_watcher.h"
