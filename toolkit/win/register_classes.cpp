#include "toolkit/win/application.h"

void RegisterToolkitClasses() {
  RegisterComponentClass(TForm::StaticClass());
}
