#include "report/version_record_report.h"

void PrintVersionRecord(const OSVERSIONINFOEXW&) {}
