// The module's application object. It adds nothing to the framework's; the framework names it
// after the module file, so message boxes are captioned "ToDoList".

#include "framework/fw_app.h"

namespace {

class CToDoApp : public CWinApp {
 public:
  CToDoApp() : CWinApp(nullptr) {}
};

CToDoApp theApp;

}  // namespace
