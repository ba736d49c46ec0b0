#include "WordCount.h"
