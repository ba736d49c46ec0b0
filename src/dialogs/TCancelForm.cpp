#include "TCancelForm.h"
