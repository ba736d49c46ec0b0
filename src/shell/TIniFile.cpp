#include "TIniFile.h"
