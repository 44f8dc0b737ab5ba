#include "DrawGrid.h"
