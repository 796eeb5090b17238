// Deliberately wrong: a screen or the app that knows its platform.
#include "kit/qt/native.h"
