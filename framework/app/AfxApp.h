// Application object, document manager, document templates and documents.
#pragma once

#include "CCmdTarget.h"
#include "CCreateContext.h"
