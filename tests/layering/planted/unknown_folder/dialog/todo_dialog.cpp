#include "tests/support/fake_host.h"
