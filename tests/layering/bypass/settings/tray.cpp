#include "platform/tray/trayicon.h"
