#include "TInputForm.h"
