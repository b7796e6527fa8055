#include "shell/popupmenu.h"
