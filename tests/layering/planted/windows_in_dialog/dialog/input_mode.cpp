#include "dialog/todo_dialog.h"
#include <commctrl.h>
