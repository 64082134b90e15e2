#pragma once

/// The stored layout of the main window (app/Main.form), embedded into the binary at build
/// time as NUL-terminated text. Defined only when the build found the file; the app-core
/// target then carries the compile definition SW_EMBEDDED_MAIN_FORM.
const char* EmbeddedMainForm();

namespace fw {
using ::EmbeddedMainForm;
}
