#include "settings/form1.h"
