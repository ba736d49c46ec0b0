#include "TPaperSettingForm.h"
