// Application object, document manager, document templates and documents.
#pragma once

#include "CCmdTarget.h"
#include "CCreateContext.h"

#include "AfxMessageBox.h"
#include "AfxPath.h"
#include "CPtrList.h"
#include "CSaveFile.h"

#include "CDocManager.h"
#include "CDocTemplate.h"
#include "CDocument.h"
#include "CMultiDocTemplate.h"
#include "CWinApp.h"
#include "CWinThread.h"
