// The core of the class library: object model, strings, collections, files,
// archives, exceptions and module state. No user interface here.
#pragma once

// In dependency order: each header relies on those above it.
// clang-format off
#include "../core/AfxTypes.h"
#include "../core/CObject.h"
#include "../core/CString.h"
#include "../core/AfxAtof.h"
#include "../core/AfxModuleState.h"
#include "../core/AfxCodePage.h"
#include "../core/CException.h"
#include "../core/CStringList.h"
#include "../core/CMapStringToString.h"
#include "../core/CFile.h"
#include "../core/CMemFile.h"
#include "../core/CArchive.h"
#include "../core/AfxVersionInfo.h"
// clang-format on

#include <cstdlib>
