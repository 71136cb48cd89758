#include "registry/registry.h"
