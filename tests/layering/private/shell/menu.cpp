#include "platform/tray/statusnotifier/dbusmenuexporter.h"
