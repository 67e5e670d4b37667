#include "preferred_languages.h"
