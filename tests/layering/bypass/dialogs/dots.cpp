#include "platform/../shell/trayapplication.h"
