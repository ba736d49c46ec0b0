#include "AllDocuments.h"
