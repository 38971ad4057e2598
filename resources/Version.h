#pragma once
// One place for the version: the version block and the About text read it.
#define VFE_PRODUCT_NAME "Velmoran Front-End"
#define VFE_VERSION_TEXT "2.01.0008"
#define VFE_VERSION_BINARY 2, 1, 0, 8
#define VFE_INTERNAL_NAME "VelmoranFE2"
#define VFE_ORIGINAL_FILENAME "VelmoranFE2.exe"
#define VFE_COMPANY_NAME "Quorvex"
#define VFE_COPYRIGHT "(C) 2026 Quorvex"
