#include "publish/PublishUtil.h"
