#include "WordCharacterSet.h"
