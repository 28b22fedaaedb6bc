#pragma once

namespace hx::platform {

// The width in millimetres of the paper the user's locale prints on (216 for US
// Letter, 210 for A4), or 0 when the system does not say.
int LocalPaperWidthMm();

// Whether the system itself shows compiled help (.chm) files, as every Windows does;
// elsewhere a viewer may or may not be installed.
bool SystemShowsCompiledHelp();

} // namespace hx::platform
