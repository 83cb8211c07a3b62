#pragma once
// A lower folder that includes a higher one: the check must refuse it.
#include "catalogue/year.h"
