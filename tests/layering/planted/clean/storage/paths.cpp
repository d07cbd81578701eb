#include "storage/paths.h"
#include "text/cp932.h"
#include <string>
