// The plug-in's requests for a test program without the application object:
// the program registers its own, and points it at the host it plays (null
// for none).
#pragma once

#include "hostdata/CKurvoRequests.h"

inline CKurvoRequests& TestRequests()
{
    static CKurvoRequests s_requests;
    KurvoSetRequests(&s_requests);
    return s_requests;
}
