#include "TPaper.h"
