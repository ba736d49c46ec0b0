#include "Cp932Codec.h"
