#include "app_model.h"
