// Built as a part of the catalogue: the shell's headers are not in its reach.
#include "catalogue/catalogue.h"
#include "shell/popupmenu.h"
