#pragma once
// Deliberately wrong: the layer check must refuse a tree with this file in it.
#include "board/board.h"
