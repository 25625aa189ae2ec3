// The model sees the layers below it only: an include of the document, one
// layer up, must not build.
#include "model/CRace.h"

#include "document/CKurvoDoc.h"
