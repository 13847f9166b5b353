#include "MainForm.h"
#include "AddDiskController.h"
namespace quorvex {
void TMainForm::AddDiskCommand(QAction*) {}
void TMainForm::CreateDiskActions() {}
}
