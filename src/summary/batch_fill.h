#pragma once
// How the packed version, the version records and the system information fill
// the summary. Edition words come from the catalogue (edition_catalogue.h).

#include "platform/windows_api.h"
#include "summary/batch_data.h"

// The three numbers of GetVersion's packed value, as the summary stores them
// and the report prints them.
DWORD PackedMajorVersion(DWORD packed);
DWORD PackedMinorVersion(DWORD packed);
DWORD PackedBuildNumber(DWORD packed);

void ApplyPackedVersion(BatchData& data, DWORD packed);
void ApplyVersionRecord(BatchData& data, const OSVERSIONINFOEXW& record);
void ApplyArchitecture(BatchData& data, const SYSTEM_INFO& info);
