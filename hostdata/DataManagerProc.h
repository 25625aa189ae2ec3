// The host's request callback. The plug-in fills a map with a request, calls
// the callback with it, and reads the host's reply from the same map once the
// call returns. The host's result, if it has one, carries no meaning; a host
// must define its callback with exactly this type (returning void), since
// calling through a pointer of another function type is not portable C++.
#pragma once

class CMapStringToString;

typedef void (*DataManagerProc)(CMapStringToString& map);
