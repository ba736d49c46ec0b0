#include "TSetLineSpaceForm.h"
