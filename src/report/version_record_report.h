#pragma once

#include "platform/windows_api.h"

// The block of labelled lines for one version record (GetVersionEx or
// RtlGetVersion), so that the two answers can be compared line by line.
void PrintVersionRecord(const OSVERSIONINFOEXW& record);
