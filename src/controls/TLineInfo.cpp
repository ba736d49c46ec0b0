#include "TLineInfo.h"
