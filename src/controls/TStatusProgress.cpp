#include "TStatusProgress.h"
