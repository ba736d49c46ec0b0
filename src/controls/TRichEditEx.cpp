#include "TRichEditEx.h"
