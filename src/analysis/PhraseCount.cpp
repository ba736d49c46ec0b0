#include "PhraseCount.h"
