#include "ReportFormat.h"
