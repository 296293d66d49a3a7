#include "publish/PackageFormat.h"
