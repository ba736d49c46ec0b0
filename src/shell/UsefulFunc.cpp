#include "UsefulFunc.h"
