// airwright: the Qt program. The window and the start-up live in aw_app.
#include "app/ProgramEntry.h"

int main(int argc, char** argv)
{
  return aw::app::RunProgram(argc, argv);
}
