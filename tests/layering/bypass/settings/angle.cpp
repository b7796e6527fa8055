#include <shell/popupmenu.h>
