#include "CharacterCensus.h"
