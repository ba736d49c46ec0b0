#include "TWordCharacterSettingForm.h"
