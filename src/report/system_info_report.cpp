#include "report/system_info_report.h"

void PrintSystemInfo(const SYSTEM_INFO&) {}
