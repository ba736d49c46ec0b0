#include "InformationPanel.h"
