#include "TextStatistics.h"
