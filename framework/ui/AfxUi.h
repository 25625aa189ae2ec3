// Windows, message dispatch, frames, views and menus, on Qt Widgets.
#pragma once

#include <afx.h>
