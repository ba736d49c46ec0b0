#include "TResultForm.h"
