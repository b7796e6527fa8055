#include "platform/desktop/hotkeymechanisms_unix.h"
