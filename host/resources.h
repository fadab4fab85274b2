#pragma once
// Resource identifiers of Orv_Host.exe.
#define ORV_HOST_SAMPLE 101
