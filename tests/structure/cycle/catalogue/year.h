#pragma once
#include "shell/form.h"
