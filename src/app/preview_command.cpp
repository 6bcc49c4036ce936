#include "app/preview_command.h"

namespace mirella::app {

// TODO: write the preview page with the generator's preview writer and open it with the shell;
// until that writer exists the command accepts the click and does nothing.
void ShowPreview(MainWindowState& /*state*/) {}

}  // namespace mirella::app
