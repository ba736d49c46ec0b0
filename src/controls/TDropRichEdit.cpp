#include "TDropRichEdit.h"
