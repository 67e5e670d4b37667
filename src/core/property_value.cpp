#include "property_value.h"
