#include "Document.h"
