#include "settings/categorybox.h"
