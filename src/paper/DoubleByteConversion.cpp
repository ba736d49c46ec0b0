#include "DoubleByteConversion.h"
